// The ELF stamping example on the big-endian fixture: the CRC-32 is that of the .text bytes
// objcopy extracts (checked independently), and only the eight stamped bytes change.
// args: -define elf=%B/host/fixtures/firmware-be.elf -define out=stamped.elf -define version=0x01020003 -load %E/stamp-elf.js
/*===
stamped.elf: version 0x1020003 at 0x20000000, CRC-32 0x6ab90556 of .text at 0x8000004
===*/
