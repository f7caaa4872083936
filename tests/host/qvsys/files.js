// Each file method answers through its result and never raises.
/*===
write true read one|two append true size 8
rename true false exists true false dir true
copy true true [one|two3] missing false
remove true false
mkdir true true rmdir false true
bytes true 1,2,3,255 crc 4236843288 undefined
failures undefined false false undefined false 0 false false
===*/
var ok = QVSys.writeStringToFile("t.txt", "one|");
WScript.Echo("write " + ok + " read " + (QVSys.appendStringToFile("t.txt", "two") &&
    QVSys.readStringFromFile("t.txt")));
WScript.Echo(" append " + QVSys.appendStringToFile("t.txt", 3) + " size " + QVSys.fileSize("t.txt") + "\n");
WScript.Echo("rename " + QVSys.renameFile("t.txt", "u.txt") + " " + QVSys.renameFile("t.txt", "v.txt"));
WScript.Echo(" exists " + QVSys.fileExists("u.txt") + " " + QVSys.fileExists("t.txt")
    + " dir " + QVSys.fileExists(".") + "\n");
QVSys.makeDirectory("d");
WScript.Echo("copy " + QVSys.copyFile("u.txt", "d") + " " + QVSys.copyFile("d/u.txt", "d/w.txt")
    + " [" + QVSys.readStringFromFile("d/w.txt") + "] missing " + QVSys.copyFile("nothing", "d") + "\n");
WScript.Echo("remove " + QVSys.removeFile("d/./w.txt") + " " + QVSys.removeFile("d/w.txt") + "\n");
WScript.Echo("mkdir " + QVSys.makeDirectory("x/y/z") + " " + QVSys.makeDirectory("x/y/z")
    + " rmdir " + QVSys.removeDirectory("x/y") + " " + QVSys.removeDirectory("x/y/z") + "\n");
WScript.Echo("bytes " + QVSys.writeByteArrayToFile("b.bin", [1, 2], [3, 255])
    + " " + QVSys.readByteArrayFromFile("b.bin"));
WScript.Echo(" crc " + QVSys.crc32([49, 50, 51, 52, 53, 54, 55, 56, 57]) + " " + QVSys.crc32([]) + "\n");
WScript.Echo("failures " + QVSys.readStringFromFile("missing") + " " + QVSys.writeStringToFile("no/such", "x")
    + " " + QVSys.appendStringToFile("no/such", "x") + " " + QVSys.readByteArrayFromFile("missing")
    + " " + QVSys.writeByteArrayToFile("no/such", [1]) + " " + QVSys.fileSize("missing")
    + " " + QVSys.makeDirectory("u.txt") + " " + QVSys.fileExists() + "\n");
