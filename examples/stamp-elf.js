// Stamps a version word and a CRC-32 into a linked ELF file before it is flashed: the version
// into the word at the symbol versionSymbol, the CRC-32 of .text into the word at crcSymbol,
// where the boot loader looks for them. The example firmware (examples/firmware) reserves both
// words after its code, as image_version and image_crc.
//
//   brindle -define elf=demo/app.elf -define out=demo/app-stamped.elf -define version=0x01020003 \
//           -define versionSymbol=image_version -define crcSymbol=image_crc \
//           -load examples/stamp-elf.js
//
// Without -define out the ELF file is rewritten in place.
var elfPath = this.elf ? this.elf : "demo/app.elf";
var outPath = this.out ? this.out : elfPath;
var versionWord = this.version ? parseInt(this.version) : 0x00010000;
var versionSymbol = this.versionSymbol ? this.versionSymbol : "image_version";
var crcSymbol = this.crcSymbol ? this.crcSymbol : "image_crc";

// Addresses and checksums as eight hex digits, as the linker's map and objdump show them.
function hex(n) {
    return "0x" + ("0000000" + n.toString(16)).slice(-8);
}

function addressOf(name) {
    var value = ElfFile.symbolValue(name);
    if (typeof value != "number")
        throw new Error("symbol " + name + " is not in " + elfPath);
    return value;
}

ElfFile.load(elfPath);
var versionAt = addressOf(versionSymbol);
var crcAt = addressOf(crcSymbol);
var text = ElfFile.getSection(".text");
if (!text)
    throw new Error(elfPath + " has no .text section");

ElfFile.pokeUint32(versionAt, versionWord);
var crc = ElfFile.crc32(text.start, text.data.length);
ElfFile.pokeUint32(crcAt, crc);
if (ElfFile.peekUint32(versionAt) != versionWord || ElfFile.peekUint32(crcAt) != crc)
    throw new Error("the stamped words are not in the file's contents");
ElfFile.save(outPath);
WScript.Echo(outPath + ": version " + hex(versionWord) + " at " + hex(versionAt) + ", CRC-32 "
        + hex(crc) + " of .text at " + hex(crcAt) + "\n");
