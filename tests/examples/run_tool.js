// The tool example runs the cross objcopy on the ARM fixture and checks what it wrote.
// args: -define elf=%B/host/fixtures/firmware-arm.elf -define bin=app.bin -load %E/run-tool.js
/*===
app.bin: 128 bytes
===*/
