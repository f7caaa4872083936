// The ELF stamping example with its defaults on the example firmware: the words reserved at
// image_version and image_crc, after .text and .data's initial values in flash, are found by
// symbol, so the CRC-32 covers .text unchanged (checked independently).
// args: -define elf=%B/examples/demo/app.elf -define out=stamped.elf -define version=0x01020003 -load %E/stamp-elf.js
/*===
stamped.elf: version 0x01020003 at 0x080000d8, CRC-32 0x70de0910 of .text at 0x080000dc
===*/
