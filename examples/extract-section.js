// Extracts one section of a linked ELF file into a raw file, for example the contents of
// .rodata to be flashed on its own, and reports where it belongs and its CRC-32.
//
//   brindle -define elf=demo/app.elf -define section=.data -define out=demo/data.bin \
//           -load examples/extract-section.js
var elfPath = this.elf ? this.elf : "demo/app.elf";
var sectionName = this.section ? this.section : ".text";
var outPath = this.out ? this.out : "demo/section.bin";

function hex(n) {
    return "0x" + ("0000000" + n.toString(16)).slice(-8);
}

ElfFile.load(elfPath);
var section = ElfFile.getSection(sectionName);
if (!section)
    throw new Error(elfPath + " has no section " + sectionName);
if (!QVSys.writeByteArrayToFile(outPath, section.data))
    throw new Error("cannot write " + outPath);
WScript.Echo(sectionName + ": " + section.data.length + " bytes at " + hex(section.start)
        + ", CRC-32 " + hex(QVSys.crc32(section.data)) + " -> " + outPath + "\n");
