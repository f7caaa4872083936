// In the C locale text files map each byte to one character and back: a Latin-1 header read,
// changed and written again keeps every byte it did not change, and a character past 255 is
// written as "?".
// env: LC_ALL=C
/*===
14 233 255
114,101,108,101,97,115,101,32,233,116,233,32,255,10
114,101,108,101,97,115,101,32,233,116,233,32,255,10,233,63
===*/
QVSys.writeByteArrayToFile("l.txt", [118, 101, 114, 115, 105, 111, 110, 32, 233, 116, 233, 32, 255, 10]);
var text = QVSys.readStringFromFile("l.txt");
WScript.Echo(text.length + " " + text.charCodeAt(8) + " " + text.charCodeAt(12) + "\n");
QVSys.writeStringToFile("c.txt", "release" + text.substring(7));
WScript.Echo(QVSys.readByteArrayFromFile("c.txt") + "\n");
QVSys.appendStringToFile("c.txt", String.fromCharCode(233, 0x20AC));
WScript.Echo(QVSys.readByteArrayFromFile("c.txt") + "\n");
