// A script string names a file by the bytes typed for it, so "zoë" and "café.bin" are the same
// files for every method, for -load, load() and indirect files, as for the programs run; a name
// that is not UTF-8 (the byte e9 alone) works as well.
// args: -define brindle=%B/../brindle -load %F
// env: LC_ALL=C
/*===
1
1 from -load
1 from @zoë/words
exists true 3 abc true copied abc
made true true written é! é!é! bytes true 1,2 removed true false
latin true 1 55
ls: café.bin copié.bin dîr é.w 
===*/
function sh(command) {
    QVSys.run("sh -c \"" + command + "\"", true);
    return QVSys.getRunStdout();
}
sh("mkdir zoë; echo 'WScript.Echo(1); WScript.Echo(String.fromCharCode(10))' > zoë/b.js; printf abc > café.bin; echo '-load zoë/b.js' > zoë/words");
load("zoë/b.js");
QVSys.run(brindle + " -load zoë/b.js", true);
WScript.Echo(QVSys.getRunStdout() + " from -load\n");
QVSys.run(brindle + " @zoë/words", true);
WScript.Echo(QVSys.getRunStdout() + " from @zoë/words\n");
BinaryFile.load("café.bin");
WScript.Echo("exists " + QVSys.fileExists("café.bin") + " " + QVSys.fileSize("café.bin") + " "
    + QVSys.readStringFromFile("café.bin") + " " + QVSys.copyFile("café.bin", "zoë/copié.bin")
    + " copied " + QVSys.readStringFromFile("zoë/copié.bin") + "\n");
WScript.Echo("made " + QVSys.makeDirectory("dîr/sub") + " " + QVSys.writeStringToFile("é.w", "é!")
    + " written " + QVSys.readStringFromFile("é.w") + (QVSys.appendStringToFile("é.w", "é!") ? " " : " append failed ")
    + QVSys.readStringFromFile("é.w") + " bytes " + QVSys.writeByteArrayToFile("dîr/sub/b", [1, 2])
    + " " + QVSys.readByteArrayFromFile("dîr/sub/b") + " removed " + QVSys.removeFile("dîr/sub/b")
    + " " + QVSys.removeFile("dîr/sub/b") + "\n");
var latin = String.fromCharCode(233);
WScript.Echo("latin " + QVSys.writeStringToFile(latin, "x") + " " + sh("ls | grep -c -x '" + latin + "'")
    + " " + QVSys.fileSize("zoë/b.js") + "\n");
QVSys.removeFile(latin);
sh("mv zoë/copié.bin .; rm -r zoë");
WScript.Echo("ls: " + sh("ls | tr '\\n' ' '; echo") + "\n");
