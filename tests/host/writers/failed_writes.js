// A write that fails leaves the previous target byte for byte and nothing beside it, and the
// writer answers false (ElfFile.save ends the run): past the file size limit, both for a
// replaced file and for a hard-linked one written in place, in a folder the user may not
// write to (a file there that the user may write is written in place; a new one cannot be
// made), and onto a folder. A process started by a script gets the default file size signal.
// args: -define brindle=%B/../brindle -define elf=%B/host/fixtures/firmware-arm.elf -load %F
/*===
limit: false false false false false false false false
error: write read t.bin
status 1 left: OLD OLD OLD files: big h.bin h2.bin inner.js t.bin 
child: -103
read-only: true true true true true done false
saved: image ge src text AB elf
folder: false false false false false
===*/
// status: 1
/*=== stderr
error: cannot open d
===*/
function sh(command) {
    QVSys.run("sh -c \"" + command + "\"", true);
    return QVSys.getRunStdout();
}
function runInner(prefix, script) {
    QVSys.writeStringToFile("inner.js", script);
    var status = QVSys.run(prefix + " " + brindle + " -define elf=" + elf + " -load inner.js", true);
    var out = QVSys.getRunStdout();
    var err = QVSys.getRunStderr();
    return out + (err ? "\n" + err : "") + "\nstatus " + status;
}

sh("head -c 400000 /dev/zero > big; printf OLD > t.bin; printf OLD > h.bin; ln h.bin h2.bin");
var limited = runInner("prlimit --fsize=2000",
    "var big = QVSys.readByteArrayFromFile('big');" +
    "BinaryFile.load('big');" +
    "WScript.Echo('limit: ' + [BinaryFile.save('t.bin'), BinaryFile.saveRange('t.bin', 0, 3000)," +
    " BinaryFile.save('h.bin'), QVSys.copyFile('big', 't.bin'), QVSys.copyFile('big', 'h.bin')," +
    " QVSys.writeStringToFile('t.bin', QVSys.readStringFromFile('big'))," +
    " QVSys.writeByteArrayToFile('h.bin', big), QVSys.writeByteArrayToFile('t.bin', big)].join(' ') + '\\n');" +
    "ElfFile.load(elf); ElfFile.save('t.bin');");
WScript.Echo(limited + " left: " + sh("for f in t.bin h.bin h2.bin; do cat $f; echo; done | tr '\\n' ' '; echo")
    + "files: " + sh("ls -A | tr '\\n' ' '; echo") + "\n");
// 128 + 25, the signal's number: the shell was killed by it.
WScript.Echo("child: " + QVSys.run("prlimit --fsize=10 sh -c \"head -c 100 /dev/zero > child.bin\"", true) + "\n");
sh("rm -f child.bin");

// A normal user cannot write into a folder of mode 555; root can, so the inner run drops to
// the unprivileged user nobody, in a folder under /tmp that it can reach.
var place = sh("mktemp -d");
sh("cd " + place + " && cp " + brindle + " " + elf + " . && chmod 755 . && printf src > src && mkdir ro"
    + " && for f in a b c d e f; do printf OLD > ro/$f; done; chmod 666 ro/*; chmod 555 ro");
var asUser = sh("[ $(id -u) = 0 ] && echo setpriv --reuid=65534 --regid=65534 --clear-groups");
QVSys.writeStringToFile(place + "/inner.js",
    "BinaryFile.load('src'); BinaryFile.resize(5); BinaryFile.pokeBytes(0, [105, 109, 97, 103, 101]);" +
    "var r = [BinaryFile.save('ro/a'), BinaryFile.saveRange('ro/b', 3, 2), QVSys.copyFile('src', 'ro/c')," +
    " QVSys.writeStringToFile('ro/d', 'text'), QVSys.writeByteArrayToFile('ro/e', [65, 66])];" +
    "ElfFile.load('firmware-arm.elf'); ElfFile.save('ro/f'); r[r.length] = 'done';" +
    "r[r.length] = BinaryFile.save('ro/new'); WScript.Echo('read-only: ' + r.join(' ') + '\\n');");
QVSys.run("sh -c \"cd " + place + " && " + asUser + " ./brindle -load inner.js\"", true);
WScript.Echo(QVSys.getRunStdout() + QVSys.getRunStderr() + "\nsaved: "
    + sh("cd " + place + " && for f in a b c d e; do cat ro/$f; echo; done | tr '\\n' ' '; echo")
    + sh("cd " + place + " && cmp -s ro/f " + elf + " && echo elf; ls -A ro | grep -v '^[a-f]$'") + "\n");
sh("chmod 755 " + place + "/ro; rm -rf " + place);

sh("mkdir d d/src");
QVSys.writeStringToFile("src", "src");
BinaryFile.load("src");
WScript.Echo("folder: " + [BinaryFile.save("d"), BinaryFile.saveRange("d", 0, 1), QVSys.copyFile("src", "d"),
    QVSys.writeStringToFile("d", "x"), QVSys.writeByteArrayToFile("d", [1]), QVSys.readStringFromFile("d")].join(" ") + "\n");
ElfFile.load(elf);
ElfFile.save("d");
