// In a UTF-8 locale text files are decoded and encoded as UTF-8: "été" reads as three
// characters and is written back as the same bytes; a byte that is not UTF-8 reads as U+FFFD.
// env: LC_ALL=C.UTF-8
/*===
3 233 116
195,169,116,195,169,33,226,130,172
4 65533
===*/
QVSys.writeByteArrayToFile("u.txt", [195, 169, 116, 195, 169]);
var text = QVSys.readStringFromFile("u.txt");
WScript.Echo(text.length + " " + text.charCodeAt(0) + " " + text.charCodeAt(1) + "\n");
QVSys.writeStringToFile("v.txt", text + "!");
QVSys.appendStringToFile("v.txt", String.fromCharCode(0x20AC));
WScript.Echo(QVSys.readByteArrayFromFile("v.txt") + "\n");
QVSys.writeByteArrayToFile("l.txt", [97, 233, 98, 10]);
var latin = QVSys.readStringFromFile("l.txt");
WScript.Echo(latin.length + " " + latin.charCodeAt(1) + "\n");
