// The check value of "123456789" for every name, the answers for empty and clipped ranges, and
// the error for a name outside the catalogue, which a script can catch.
/*===
crc32/bzip2 fc891918
crc32/iso-hdlc cbf43926
crc32/mpeg-2 376e6e7
crc32/iscsi e3069283
crc16/xmodem 31c3
crc16/ibm-3740 29b1
crc16/modbus 4b37
crc16/kermit 2189
crc8/smbus f4
sha256 15e2b0d3c33891ebb0f1ef609ec419420c20e320ce94c65fbc8c3312448eb225
sha1 f7c3bc1d808e04732adf679965ccc34ca7ae3441
md5 25f9e794323b453885f5181f1b624d0b
true true
e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855 ffffffff
undefined undefined
Error: unknown checksum algorithm "CRC32" (known: crc32/bzip2, crc32/iso-hdlc, crc32/mpeg-2, crc32/iscsi, crc16/xmodem, crc16/ibm-3740, crc16/modbus, crc16/kermit, crc8/smbus, sha256, sha1, md5)
Error: array argument expected
===*/
var digits = [0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39];
var names = ["crc32/bzip2", "crc32/iso-hdlc", "crc32/mpeg-2", "crc32/iscsi", "crc16/xmodem",
    "crc16/ibm-3740", "crc16/modbus", "crc16/kermit", "crc8/smbus", "sha256", "sha1", "md5"];
for (var i = 0; i < names.length; i++) {
    var value = QVSys.checksum(digits, names[i]);
    WScript.Echo(names[i] + " " + (typeof value == "number" ? value.toString(16) : value) + "\n");
}
QVSys.writeByteArrayToFile("digits.bin", digits, [0xAA, 0xBB]);
BinaryFile.load("digits.bin");
// A range is clipped at the end of the image, as crc32's is.
WScript.Echo((BinaryFile.checksum(0, 9, "crc32/bzip2") == BinaryFile.crc32(0, 9)) + " "
        + (BinaryFile.checksum(9, 100, "md5") == QVSys.checksum([0xAA, 0xBB], "md5")) + "\n");
WScript.Echo(BinaryFile.checksum(11, 5, "sha256") + " "
        + BinaryFile.checksum(3, 0, "crc32/mpeg-2").toString(16) + "\n");
WScript.Echo(BinaryFile.checksum(12, 1, "sha1") + " " + QVSys.crc32([]) + "\n");
try {
    BinaryFile.checksum(12, 1, "CRC32");
} catch (e) {
    WScript.Echo(e.name + ": " + e.message + "\n");
}
try {
    QVSys.checksum("123456789", "md5");
} catch (e) {
    WScript.Echo(e.name + ": " + e.message + "\n");
}
