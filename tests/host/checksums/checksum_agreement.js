// Every CRC agrees with python3-crcmod's predefined model of the same name, and every digest
// with sha256sum, sha1sum and md5sum, on pseudo-random data of odd lengths (fixed seed, so a
// failure repeats), through both QVSys.checksum and BinaryFile.checksum.
// args: -define here=%D -load %F
/*===
9 CRCs x 5 files agree with crcmod
3 digests x 5 files agree with the coreutils tools
===*/
var seed = 20261207;
function nextByte() {
    seed = (seed * 69069 + 1) % 4294967296;
    return Math.floor(seed / 16777216);
}
var lengths = [1, 7, 333, 4097, 65537];
var files = [];
var contents = [];
for (var f = 0; f < lengths.length; f++) {
    var bytes = [];
    for (var i = 0; i < lengths[f]; i++)
        bytes[i] = nextByte();
    files[f] = "data" + f + ".bin";
    contents[f] = bytes;
    QVSys.writeByteArrayToFile(files[f], bytes);
}
function indexOfFile(name) {
    for (var f = 0; f < files.length; f++)
        if (files[f] == name)
            return f;
    throw new Error("unexpected file " + name);
}
// Both methods must give the same answer; that answer is what the tools are checked against.
function ours(f, algorithm) {
    var direct = QVSys.checksum(contents[f], algorithm);
    BinaryFile.load(files[f]);
    var ranged = BinaryFile.checksum(0, lengths[f], algorithm);
    if (direct != ranged)
        throw new Error(algorithm + " of " + files[f] + ": QVSys " + direct + ", BinaryFile " + ranged);
    return direct;
}

if (QVSys.run("/usr/bin/python3 " + here + "/crcmod_models.py " + files.join(" "), true) != 0)
    throw new Error("crcmod failed: " + QVSys.getRunStderr());
var lines = QVSys.getRunStdout().split("\n");
for (var l = 0; l < lines.length; l++) {
    var words = lines[l].split(" ");
    var mine = ours(indexOfFile(words[1]), words[0]);
    if (mine != parseInt(words[2]))
        throw new Error(words[0] + " of " + words[1] + ": " + mine + ", crcmod " + words[2]);
}
WScript.Echo(lines.length / files.length + " CRCs x " + files.length + " files agree with crcmod\n");

var tools = [["sha256", "sha256sum"], ["sha1", "sha1sum"], ["md5", "md5sum"]];
for (var t = 0; t < tools.length; t++) {
    QVSys.run(tools[t][1] + " " + files.join(" "), true);
    var sums = QVSys.getRunStdout().split("\n");
    for (var l = 0; l < sums.length; l++) {
        var parts = sums[l].split("  ");
        var mine = ours(indexOfFile(parts[1]), tools[t][0]);
        if (mine != parts[0])
            throw new Error(tools[t][0] + " of " + parts[1] + ": " + mine + ", " + tools[t][1] + " " + parts[0]);
    }
}
WScript.Echo(tools.length + " digests x " + files.length + " files agree with the coreutils tools\n");
