// BinaryFile.saveHex and loadHex against srec_cat on random images of 100 000 bytes above
// 16 MiB (Intel HEX address records at every 64 KiB, S3 records) and below it (S2), and of
// 60 000 bytes below 64 KiB (S1).
/*===
at 0xff8000: S3 records; ihex and srec read back through srec_cat, srec_cat's files load back
at 0x1000: S2 records; ihex and srec read back through srec_cat, srec_cat's files load back
at 0x0: S1 records; ihex and srec read back through srec_cat, srec_cat's files load back
address records at 0xff8000: 00FF 0100 0101
a 4 GiB overflow: RangeError: an image of 60000 bytes at 0xfffff000 runs past address 0xFFFFFFFF
a bad format: Error: unknown image format "hex" (known: ihex, srec)
a folder that does not exist: false
===*/
function run(command) {
    if (QVSys.run(command, true) != 0)
        throw new Error(command + " failed: " + QVSys.getRunStdout() + QVSys.getRunStderr());
}
function firstOf(path, prefix) {
    var lines = QVSys.readStringFromFile(path).split("\n");
    var found = [];
    for (var i = 0; i < lines.length; i++)
        if (lines[i].substring(0, prefix.length) == prefix)
            found[found.length] = lines[i];
    return found;
}
var bases = [0xFF8000, 0x1000, 0];
var sizes = [100000, 100000, 60000];
for (var i = 0; i < bases.length; i++) {
    run("sh -c \"head -c " + sizes[i] + " /dev/urandom > image.bin\"");
    var hexBase = "0x" + bases[i].toString(16);
    BinaryFile.load("image.bin");
    if (!BinaryFile.saveHex("image.hex", bases[i], "ihex") || !BinaryFile.saveHex("image.srec", bases[i], "srec"))
        throw new Error("saveHex failed");
    run("srec_cat image.hex -intel -offset -" + hexBase + " -o hex.bin -binary");
    run("cmp hex.bin image.bin");
    run("srec_cat image.srec -motorola -offset -" + hexBase + " -o srec.bin -binary");
    run("cmp srec.bin image.bin");
    run("srec_cat image.bin -binary -offset " + hexBase + " -o theirs.hex -intel");
    run("srec_cat image.bin -binary -offset " + hexBase + " -o theirs.srec -motorola");
    var files = ["theirs.hex", "theirs.srec", "image.hex", "image.srec"];
    for (var f = 0; f < files.length; f++) {
        BinaryFile.resize(0);
        if (BinaryFile.loadHex(files[f]) != bases[i])
            throw new Error(files[f] + " does not start at " + hexBase);
        BinaryFile.save("loaded.bin");
        run("cmp loaded.bin image.bin");
    }
    var types = ["S3", "S2", "S1"];
    if (firstOf("image.srec", types[i]).length != sizes[i] / 16)
        throw new Error("expected " + sizes[i] / 16 + " " + types[i] + " records");
    WScript.Echo("at " + hexBase + ": " + types[i] + " records; ihex and srec read back through "
            + "srec_cat, srec_cat's files load back\n");
    if (i == 0)
        var records = firstOf("image.hex", ":02000004");
}
var uppers = [];
for (var r = 0; r < records.length; r++)
    uppers[r] = records[r].substring(9, 13);
WScript.Echo("address records at 0xff8000: " + uppers.join(" ") + "\n");
function attempt(what, f) {
    try {
        WScript.Echo(what + ": " + f() + "\n");
    } catch (e) {
        WScript.Echo(what + ": " + e.name + ": " + e.message + "\n");
    }
}
attempt("a 4 GiB overflow", function () { return BinaryFile.saveHex("x.hex", 0xFFFFF000, "ihex"); });
attempt("a bad format", function () { return BinaryFile.saveHex("x.hex", 0, "hex"); });
attempt("a folder that does not exist", function () { return BinaryFile.saveHex("no/x.hex", 0, "srec"); });
