// The header example on the Thumb fixture: the symbols' addresses as nm gives them, with the
// Thumb bit cleared from the function; the entry point as the ELF header holds it.
// args: -define elf=%B/host/fixtures/firmware-thumb.elf -define header=fw.h -define "symbols=reset scale counter zeroed" -load %E/elf-header.js
/*===
/* Generated from %B/host/fixtures/firmware-thumb.elf by brindle; do not edit. */
#ifndef FW_H
#define FW_H

#define ENTRY_POINT 0x08000019u
#define ADDRESS_OF_RESET 0x08000018u
#define ADDRESS_OF_SCALE 0x08000008u
#define ADDRESS_OF_COUNTER 0x20000000u
#define ADDRESS_OF_ZEROED 0x2000000Cu

#endif
===*/
