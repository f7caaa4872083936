// Turns a linked firmware ELF file into what goes out with a release: the raw image with the
// CRC the boot loader checks in its last word, the same image as Intel HEX and as S-records for
// the flasher, and a SHA-256 list that "sha256sum -c" verifies.
//
//   brindle -define elf=build/app.elf -define name=app-1.4.2 -define out=release \
//           -load examples/flash-release.js
//
// The image is the ELF file's loadable segments by load address, gaps filled with 0xFF (what
// erased flash reads); it is padded to whole 32-bit words and one more word is appended, the
// CRC-32/MPEG-2 of everything before it, little-endian: the CRC a microcontroller's CRC unit
// computes byte by byte. Everything is written into the folder out (by default the current
// folder), named after name (by default the ELF file's name without ".elf"); a release already
// there is never overwritten unless -define replace=yes is given.
var elfPath = this.elf ? this.elf : "app.elf";
var outDir = this.out ? this.out : ".";
var elfName = elfPath.substring(elfPath.lastIndexOf("/") + 1);
if (elfName.substring(elfName.length - 4) == ".elf")
    elfName = elfName.substring(0, elfName.length - 4);
var baseName = this.name ? this.name : elfName;
var stem = outDir + "/" + baseName;
var suffixes = [".bin", ".hex", ".srec"];

if (!QVSys.fileExists(outDir) && !QVSys.makeDirectory(outDir))
    throw new Error("cannot make the folder " + outDir);
var earlier = QVSys.listDirectory(outDir, baseName + ".*");
if (earlier.length > 0 && this.replace != "yes")
    throw new Error(outDir + " already holds " + earlier.join(", ") + " (-define replace=yes to replace)");

ElfFile.load(elfPath);
var start = ElfFile.saveImage(stem + ".bin", "binary", 0xFF);
if (!BinaryFile.load(stem + ".bin"))
    throw new Error("cannot read back " + stem + ".bin");
var length = BinaryFile.length();
if (length == 0)
    throw new Error(elfPath + " has nothing to flash");
BinaryFile.resize(length + (4 - length % 4) % 4 + 4, 0xFF);
var crcAt = BinaryFile.length() - 4;
var crc = BinaryFile.checksum(0, crcAt, "crc32/mpeg-2");
BinaryFile.pokeUint32(crcAt, crc);
if (!BinaryFile.save(stem + ".bin") || !BinaryFile.saveHex(stem + ".hex", start, "ihex")
        || !BinaryFile.saveHex(stem + ".srec", start, "srec"))
    throw new Error("cannot write the images into " + outDir);

function hex(n) {
    var text = n.toString(16);
    while (text.length < 8)
        text = "0" + text;
    return "0x" + text;
}
var sums = "";
for (var i = 0; i < suffixes.length; i++) {
    var fileName = baseName + suffixes[i];
    BinaryFile.load(outDir + "/" + fileName);
    sums += BinaryFile.checksum(0, BinaryFile.length(), "sha256") + "  " + fileName + "\n";
    WScript.Echo(fileName + ": " + BinaryFile.length() + " bytes\n");
}
if (!QVSys.writeStringToFile(stem + ".sha256", sums))
    throw new Error("cannot write " + stem + ".sha256");
WScript.Echo(baseName + " from " + elfPath + ": "
        + (crcAt + 4) + " bytes at " + hex(start) + ", CRC-32/MPEG-2 " + hex(crc) + " at "
        + hex(start + crcAt) + "\n");
