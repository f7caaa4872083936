// When the tool fails, the example shows its errors and stops the build with its exit code.
// args: -define elf=missing.elf -load %E/run-tool.js
// status: 1
/*===
arm-none-eabi-objcopy: 'missing.elf': No such file
===*/
/*=== stderr
error: arm-none-eabi-objcopy failed with exit code 1
===*/
