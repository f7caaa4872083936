// Run a second time into the same folder, the flash release example stops before it writes
// anything: a release that is out is never replaced without being asked.
// args: -define elf=%B/host/fixtures/firmware-flash.elf -load %E/flash-release.js -load %E/flash-release.js
// status: 1
/*===
firmware-flash.bin: 196628 bytes
firmware-flash.hex: 540812 bytes
firmware-flash.srec: 577681 bytes
firmware-flash from %B/host/fixtures/firmware-flash.elf: 196628 bytes at 0x08000000, CRC-32/MPEG-2 0x0dceccdc at 0x08030010
===*/
/*=== stderr
error: . already holds firmware-flash.bin, firmware-flash.hex, firmware-flash.sha256, firmware-flash.srec (-define replace=yes to replace)
===*/
