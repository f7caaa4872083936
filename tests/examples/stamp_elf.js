// The ELF stamping example on the big-endian fixture, with the symbols named: the CRC-32 is
// that of the .text bytes objcopy extracts (checked independently).
// args: -define elf=%B/host/fixtures/firmware-be.elf -define out=stamped.elf -define version=0x01020003 -define versionSymbol=counter -define crcSymbol=vectors -load %E/stamp-elf.js
/*===
stamped.elf: version 0x01020003 at 0x20000000, CRC-32 0x6ab90556 of .text at 0x08000000
===*/
