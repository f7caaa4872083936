// Every writer writes the file that already stands at its target: a symbolic link's file, all
// names of a hard-linked file, a device and a FIFO get the new bytes and stay what they were;
// a name of 255 bytes can be replaced; nothing is left beside the targets.
// args: -define elf=%B/host/fixtures/firmware-arm.elf -load %F
/*===
copy: link true same real src; hard true src src same device true char fifo true fifo src long true src
string: link true same real text; hard true text text same device true char fifo true fifo text long true text
bytes: link true same real AB; hard true AB AB same device true char fifo true fifo AB long true AB
save: link true same real image; hard true image image same device true char fifo true fifo image long true image
range: link true same real ge; hard true ge ge same device true char fifo true fifo ge long true ge
elf: link saved same real elf; hard saved elf elf same device saved char fifo saved fifo elf long saved elf
left: fifo got hard hard2 link long null read real 
===*/
function sh(command) {
    QVSys.run("sh -c \"" + command + "\"", true);
    return QVSys.getRunStdout();
}
function sameAsElf(name) {
    return sh("cmp -s " + name + " " + elf + " && echo elf; true");
}
var longName = "";
while (longName.length < 255)
    longName += "n";
QVSys.writeStringToFile("src", "src");
BinaryFile.load("src");
BinaryFile.resize(5);
BinaryFile.pokeBytes(0, [105, 109, 97, 103, 101]); // image
var writers = {
    copy: function (target) { return QVSys.copyFile("src", target); },
    string: function (target) { return QVSys.writeStringToFile(target, "text"); },
    bytes: function (target) { return QVSys.writeByteArrayToFile(target, [65], [66]); },
    save: function (target) { return BinaryFile.save(target); },
    range: function (target) { return BinaryFile.saveRange(target, 3, 2); },
    elf: function (target) { ElfFile.load(elf); ElfFile.save(target); return "saved"; }
};
var order = ["copy", "string", "bytes", "save", "range", "elf"];
for (var i = 0; i < order.length; i++) {
    var name = order[i];
    var write = writers[name];
    var show = name == "elf" ? sameAsElf : function (file) { return sh("cat " + file + "; echo"); };
    sh("rm -rf w; mkdir w; printf OLD > w/real; ln -s real w/link; printf OLD > w/hard; ln w/hard w/hard2");
    sh("(mknod -m 666 w/null c 1 3 || ln -s /dev/null w/null) 2>/dev/null; mkfifo w/fifo; printf OLD > w/" + longName);
    sh("(cat w/fifo > w/got; touch w/read) > /dev/null 2>&1 &");
    var line = name + ": link " + write("w/link") + (sh("test -L w/link && echo same") ? " same" : "")
        + " real " + show("w/real") + ";";
    line += " hard " + write("w/hard") + " " + show("w/hard") + " " + show("w/hard2")
        + (sh("test w/hard -ef w/hard2 && echo same") ? " same" : " split");
    line += " device " + write("w/null") + " " + sh("test -c w/null && echo char");
    line += " fifo " + write("w/fifo") + " " + sh("test -p w/fifo && echo fifo");
    sh("while [ ! -e w/read ]; do sleep 0.01; done");
    line += " " + show("w/got");
    line += " long " + write("w/" + longName) + " " + show("w/" + longName);
    WScript.Echo(line + "\n");
}
WScript.Echo("left: " + sh("ls -A w | sed 's/^nnnnn*$/long/' | sort | tr '\\n' ' '; echo") + "\n");
