// Stamps a version word and a CRC-32 into a linked ELF file before it is flashed: the version
// goes into an initialised variable, the CRC-32 of .text into the reserved second word of the
// vector table, where the boot loader looks for it (the CRC covers .text as linked, with the
// slot still holding its link-time value).
//
//   brindle -define elf=app.elf -define out=app-stamped.elf -define version=0x01020003 \
//           -define versionSymbol=counter -define crcSymbol=vectors -load examples/stamp-elf.js
//
// Without -define out the ELF file is rewritten in place.
var elfPath = this.elf ? this.elf : "app.elf";
var outPath = this.out ? this.out : elfPath;
var versionWord = this.version ? parseInt(this.version) : 0x00010000;
var versionSymbol = this.versionSymbol ? this.versionSymbol : "counter";
var crcSymbol = this.crcSymbol ? this.crcSymbol : "vectors";

function addressOf(name) {
    var value = ElfFile.symbolValue(name);
    if (typeof value != "number")
        throw new Error("symbol " + name + " is not in " + elfPath);
    return value;
}

ElfFile.load(elfPath);
var versionAt = addressOf(versionSymbol);
var crcAt = addressOf(crcSymbol) + 4;
var text = ElfFile.getSection(".text");
if (!text)
    throw new Error(elfPath + " has no .text section");

ElfFile.pokeUint32(versionAt, versionWord);
var crc = ElfFile.crc32(text.start, text.data.length);
ElfFile.pokeUint32(crcAt, crc);
if (ElfFile.peekUint32(versionAt) != versionWord || ElfFile.peekUint32(crcAt) != crc)
    throw new Error("the stamped words are not in the file's contents");
ElfFile.save(outPath);
WScript.Echo(outPath + ": version 0x" + versionWord.toString(16) + " at 0x" + versionAt.toString(16)
        + ", CRC-32 0x" + crc.toString(16) + " of .text at 0x" + crcAt.toString(16) + "\n");
