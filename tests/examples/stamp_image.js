// The image-stamping example on its own demonstration image (checked independently: the CRC-32
// of the first 4092 bytes with the version word in place).
// args: -load %E/stamp-image.js
/*===
demo.bin: 4096 bytes, version 0x00010000, CRC-32 0xac76fff1
===*/
