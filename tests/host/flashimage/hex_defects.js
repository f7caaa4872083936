// Each defect of a HEX or S-record file is an error naming the file and the line, which try
// catches, and the image loaded before stays as it was.
/*===
bad.hex:3: bad checksum 0x00 (the record's bytes give 0x74)
bad.hex:3: bad record length: the record declares 4 data bytes but holds 2
bad.hex:3: non-hex character 'g' in column 10
bad.hex:3: unknown record type 0x07
bad.hex:4: data at 0x00000101 overlaps an earlier record
bad.hex:2: no data records
bad.hex:3: no end record
bad.srec:3: bad checksum 0x1F (the record's bytes give 0x70)
bad.srec:3: bad record length: the record declares 6 bytes after its count but holds 5
bad.srec:3: non-hex character '.' in column 11
bad.srec:3: unknown record type S4
bad.srec:4: data at 0x00000101 overlaps an earlier record
bad.srec:3: no data records
bad.srec:4: the count record says 3 data records, the file has 2
missing.hex: cannot read missing.hex: No such file or directory
100%2.hex:1: no end record
every time the image stayed 4 bytes with CRC-32 0x7e25e5e7
===*/
var good = [0xDE, 0xAD, 0xBE, 0xEF];
QVSys.writeByteArrayToFile("good.bin", good);
var defects = [
    // Intel HEX: a good record at 0x100, then the defect on line 3.
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:02010200434400\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:04010200434474\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:02010200g3447A\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:0201020743446D\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:02010200434474\n:02010100434475\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:00000001FF\n"],
    ["bad.hex", ":020000040000FA\n:0201000041427A\n:02010200434474\n"],
    // S-records: a header, a good record at 0x100, then the defect on line 3.
    ["bad.srec", "S0030000FC\nS1050100414276\nS105010243441F\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS1050100414276\nS1060102434435\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS1050100414276\nS105010243.435\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS1050100414276\nS4050102434470\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS1050100414276\nS1050102434470\nS1050101434471\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS5030000FC\nS9030000FC\n"],
    ["bad.srec", "S0030000FC\nS1050100414276\nS1050102434470\nS5030003F9\nS9030000FC\n"]
];
BinaryFile.load("good.bin");
var expected = BinaryFile.crc32(0, 4);
var kept = true;
for (var i = 0; i < defects.length; i++) {
    QVSys.writeStringToFile(defects[i][0], defects[i][1]);
    try {
        BinaryFile.loadHex(defects[i][0]);
        WScript.Echo(defects[i][0] + " loaded\n");
    } catch (e) {
        WScript.Echo(e.message + "\n");
    }
    kept = kept && BinaryFile.length() == 4 && BinaryFile.crc32(0, 4) == expected;
}
try {
    BinaryFile.loadHex("missing.hex");
} catch (e) {
    WScript.Echo("missing.hex: " + e.message + "\n");
}
// A name that looks like a placeholder stays as it is in the message.
QVSys.writeStringToFile("100%2.hex", ":0201000041427A\n");
try {
    BinaryFile.loadHex("100%2.hex");
} catch (e) {
    WScript.Echo(e.message + "\n");
}
kept = kept && BinaryFile.length() == 4 && BinaryFile.crc32(0, 4) == expected;
WScript.Echo((kept ? "every time the image stayed 4 bytes" : "the image changed") + " with CRC-32 0x"
        + expected.toString(16) + "\n");
