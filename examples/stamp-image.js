// Stamps a version word and a CRC-32 into a raw firmware image, the last step before release.
// The image ends with two reserved little-endian words: the version at length - 8 and the CRC-32
// of everything before the CRC at length - 4, which is what the boot loader checks.
//
//   brindle -define image=demo/app.bin -define version=0x01020003 -load examples/stamp-image.js
//
// Without -define image it makes a 4 KiB demonstration image, demo.bin, in the current folder.
var imagePath = this.image ? this.image : "demo.bin";
var versionWord = this.version ? parseInt(this.version) : 0x00010000;

if (!this.image) {
    var bytes = [];
    for (var i = 0; i < 4096; i++)
        bytes[i] = (i * 7) & 0xFF;
    QVSys.writeByteArrayToFile(imagePath, bytes);
}

if (!BinaryFile.load(imagePath))
    throw new Error("cannot read " + imagePath);
var length = BinaryFile.length();
if (length < 8 || length % 4 != 0)
    throw new Error(imagePath + " is not a whole number of words long");

BinaryFile.pokeUint32(length - 8, versionWord);
var crc = BinaryFile.crc32(0, length - 4);
BinaryFile.pokeUint32(length - 4, crc);
BinaryFile.save(imagePath);

function hex(n) {
    return "0x" + ("0000000" + n.toString(16)).slice(-8);
}
WScript.Echo(imagePath + ": " + length + " bytes, version " + hex(versionWord)
        + ", CRC-32 " + hex(crc) + "\n");
