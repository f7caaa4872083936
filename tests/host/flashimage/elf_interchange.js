// ElfFile.saveImage against the real tools, on the fixture above 64 KiB with a gap inside its
// first segment and a segment of its own further up: the raw image equals objcopy's with the
// same gap fill, and the HEX and S-record files read back to it through srec_cat. Files that
// objcopy and srec_cat write load in BinaryFile to those bytes too.
// args: -define fixtures=%B/host/fixtures -load %F
/*===
firmware-flash.elf at 0x8000000: binary, ihex and srec match objcopy
firmware-be.elf at 0x8000000: binary, ihex and srec match objcopy
firmware-thumb.elf at 0x8000000: binary, ihex and srec match objcopy
padding 0 matches objcopy without a gap fill
o.hex o.srec sc.hex sc.srec load at 0x8000000 to objcopy's bytes
4 extended address records, 12289 S3 records, S5 3001, S7 08000009
===*/
function run(command) {
    if (QVSys.run(command, true) != 0)
        throw new Error(command + " failed: " + QVSys.getRunStdout() + QVSys.getRunStderr());
}
var names = ["firmware-flash.elf", "firmware-be.elf", "firmware-thumb.elf"];
for (var i = 0; i < names.length; i++) {
    var elf = fixtures + "/" + names[i];
    ElfFile.load(elf);
    var start = ElfFile.saveImage("app.bin", "binary");
    if (ElfFile.saveImage("app.hex", "ihex") != start || ElfFile.saveImage("app.srec", "srec") != start)
        throw new Error("saveImage answers differ");
    var offset = " -offset -0x" + start.toString(16);
    run("arm-none-eabi-objcopy -O binary --gap-fill 0xFF " + elf + " objcopy.bin");
    run("cmp app.bin objcopy.bin");
    run("srec_cat app.hex -intel" + offset + " -o hex.bin -binary");
    run("cmp hex.bin objcopy.bin");
    run("srec_cat app.srec -motorola" + offset + " -o srec.bin -binary");
    run("cmp srec.bin objcopy.bin");
    WScript.Echo(names[i] + " at 0x" + start.toString(16) + ": binary, ihex and srec match objcopy\n");
}

var flash = fixtures + "/firmware-flash.elf";
ElfFile.load(flash);
ElfFile.saveImage("zero.bin", "binary", 0);
run("arm-none-eabi-objcopy -O binary " + flash + " objcopy0.bin");
run("cmp zero.bin objcopy0.bin");
WScript.Echo("padding 0 matches objcopy without a gap fill\n");

run("arm-none-eabi-objcopy -O binary --gap-fill 0xFF " + flash + " objcopy.bin");
run("arm-none-eabi-objcopy -O ihex " + flash + " o.hex");
run("arm-none-eabi-objcopy -O srec " + flash + " o.srec");
run("srec_cat objcopy.bin -binary -offset 0x08000000 -o sc.hex -intel");
run("srec_cat objcopy.bin -binary -offset 0x08000000 -o sc.srec -motorola");
var loaded = ["o.hex", "o.srec", "sc.hex", "sc.srec"];
for (var i = 0; i < loaded.length; i++) {
    if (BinaryFile.loadHex(loaded[i]) != 0x08000000)
        throw new Error(loaded[i] + " starts elsewhere");
    BinaryFile.save("loaded.bin");
    run("cmp loaded.bin objcopy.bin");
}
WScript.Echo(loaded.join(" ") + " load at 0x8000000 to objcopy's bytes\n");

// The records the flasher gets: an address record at each 64 KiB, S3 records for addresses
// above 16 MiB, their count, and the entry point in the terminator.
ElfFile.saveImage("app.hex", "ihex");
ElfFile.saveImage("app.srec", "srec");
function count(lines, prefix) {
    var n = 0;
    for (var i = 0; i < lines.length; i++)
        if (lines[i].substring(0, prefix.length) == prefix)
            n++;
    return n;
}
function find(lines, prefix) {
    for (var i = 0; i < lines.length; i++)
        if (lines[i].substring(0, prefix.length) == prefix)
            return lines[i];
    return "none";
}
var hexLines = QVSys.readStringFromFile("app.hex").split("\n");
var srecLines = QVSys.readStringFromFile("app.srec").split("\n");
WScript.Echo(count(hexLines, ":02000004") + " extended address records, " + count(srecLines, "S3")
        + " S3 records, S5 " + find(srecLines, "S5").substring(4, 8) + ", S7 "
        + find(srecLines, "S7").substring(4, 12) + "\n");
