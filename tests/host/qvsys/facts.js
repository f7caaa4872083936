// Environment variables, directory listings in byte order with shell wildcards, and file times
// as local Dates; a path that is not there is an Error naming it.
// env: BRINDLE_RELEASE=1.4.2
// env: BRINDLE_EMPTY=
// env: TZ=Europe/Berlin
/*===
1.4.2 [] undefined
[.hidden B.bin a.hex a.srec b.hex sub \xe9.bin]
[a.hex b.hex] [a.hex a.srec] [B.bin a.hex b.hex] [] [\xe9.bin]
Error: cannot list nope: No such file or directory
Error: cannot list dir/a.hex: Not a directory
2024-2-29 13:45:06.789 true
Error: cannot read the time of nope/a.hex: No such file or directory
===*/
WScript.Echo(QVSys.getEnvironment("BRINDLE_RELEASE") + " [" + QVSys.getEnvironment("BRINDLE_EMPTY")
        + "] " + QVSys.getEnvironment("BRINDLE_NOT_SET_ANYWHERE") + "\n");

QVSys.makeDirectory("dir/sub");
var names = ["b.hex", "a.srec", ".hidden", "B.bin", "a.hex"];
for (var i = 0; i < names.length; i++)
    QVSys.writeStringToFile("dir/" + names[i], names[i]);
// BinaryFile hands the name's characters to the system as bytes: é is the one byte 0xE9.
BinaryFile.resize(1);
BinaryFile.save("dir/\u00e9.bin");
// Names outside ASCII are shown by their code, so the expected text stays ASCII.
function listed(pattern) {
    var names = QVSys.listDirectory("dir", pattern);
    for (var i = 0; i < names.length; i++) {
        var shown = "";
        for (var c = 0; c < names[i].length; c++) {
            var code = names[i].charCodeAt(c);
            shown += code < 128 ? names[i].charAt(c) : "\\x" + code.toString(16);
        }
        names[i] = shown;
    }
    return "[" + names.join(" ") + "]";
}
WScript.Echo(listed() + "\n");
WScript.Echo(listed("*.hex") + " " + listed("a.*") + " " + listed("[aBb].*[nx]") + " "
        + listed("*.elf") + " " + listed("\u00e9*") + "\n");
function attempt(f) {
    try {
        f();
        WScript.Echo("no error\n");
    } catch (e) {
        WScript.Echo(e.name + ": " + e.message + "\n");
    }
}
attempt(function () { QVSys.listDirectory("nope"); });
attempt(function () { QVSys.listDirectory("dir/a.hex", "*"); });

// touch reads the time as local time, and the Date gives back the same wall-clock fields.
QVSys.run("touch -d \"2024-02-29 13:45:06.789\" dir/a.hex", true);
var t = QVSys.fileTime("dir/a.hex");
function two(n) { return n < 10 ? "0" + n : "" + n; }
WScript.Echo(t.getFullYear() + "-" + (t.getMonth() + 1) + "-" + t.getDate() + " " + two(t.getHours())
        + ":" + two(t.getMinutes()) + ":" + two(t.getSeconds()) + "." + t.getMilliseconds() + " "
        + (QVSys.fileTime("dir").getTime() > t.getTime()) + "\n");
attempt(function () { QVSys.fileTime("nope/a.hex"); });
