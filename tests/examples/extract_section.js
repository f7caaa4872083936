// The section example on the big-endian fixture: .data holds counter 0x11223344 and the table.
// args: -define elf=%B/host/fixtures/firmware-be.elf -define section=.data -define out=data.bin -load %E/extract-section.js
/*===
.data: 12 bytes at 0x20000000, CRC-32 0x044775ee -> data.bin
===*/
