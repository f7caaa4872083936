// Copies a build's outputs into a release folder and writes a manifest of their sizes and CRC-32s.
//
//   brindle -define release=demo/release-1.2 -define "files=demo/app.bin demo/app.elf" \
//           -load examples/release.js
//
// Without -define files it releases demo/app.bin and demo/app.elf (made by examples/firmware/build)
// into demo/release.
var releaseDir = this.release ? this.release : "demo/release";
var files = (this.files ? this.files : "demo/app.bin demo/app.elf").split(" ");

function hex(n) {
    return ("0000000" + n.toString(16)).slice(-8);
}

if (!QVSys.fileExists(releaseDir) && !QVSys.makeDirectory(releaseDir))
    throw new Error("cannot make the folder " + releaseDir);

var manifest = "";
for (var i = 0; i < files.length; i++) {
    var source = files[i];
    if (!QVSys.fileExists(source))
        throw new Error("no file " + source + " to release");
    var name = source.substring(source.lastIndexOf("/") + 1);
    var target = releaseDir + "/" + name;
    if (!QVSys.copyFile(source, target))
        throw new Error("cannot copy " + source + " to " + target);
    var crc = QVSys.crc32(QVSys.readByteArrayFromFile(target));
    manifest += name + " " + QVSys.fileSize(target) + " " + hex(crc) + "\n";
}
if (!QVSys.writeStringToFile(releaseDir + "/MANIFEST", manifest))
    throw new Error("cannot write " + releaseDir + "/MANIFEST");
WScript.Echo(manifest);
