// Extracts one section of a linked ELF file into a raw file, for example the contents of
// .rodata to be flashed on its own, and reports where it belongs and its CRC-32.
//
//   brindle -define elf=app.elf -define section=.rodata -define out=rodata.bin \
//           -load examples/extract-section.js
var elfPath = this.elf ? this.elf : "app.elf";
var sectionName = this.section ? this.section : ".text";
var outPath = this.out ? this.out : "section.bin";

ElfFile.load(elfPath);
var section = ElfFile.getSection(sectionName);
if (!section)
    throw new Error(elfPath + " has no section " + sectionName);
if (!QVSys.writeByteArrayToFile(outPath, section.data))
    throw new Error("cannot write " + outPath);
WScript.Echo(sectionName + ": " + section.data.length + " bytes at 0x" + section.start.toString(16)
        + ", CRC-32 0x" + QVSys.crc32(section.data).toString(16) + " -> " + outPath + "\n");
