// Copies a build's outputs into a release folder and writes a manifest of their sizes and CRC-32s.
//
//   brindle -define release=release-1.4 -define "files=build/app.bin build/app.elf" \
//           -load examples/release.js
//
// Without -define files it makes two small files and releases those, as a demonstration.
var releaseDir = this.release ? this.release : "release";
var files = this.files ? this.files.split(" ") : [];

if (files.length == 0) {
    QVSys.writeStringToFile("demo-readme.txt", "Demonstration release\n");
    QVSys.writeByteArrayToFile("demo-image.bin", [1, 2, 3, 4, 5, 6, 7, 8]);
    files = ["demo-readme.txt", "demo-image.bin"];
}

if (!QVSys.fileExists(releaseDir) && !QVSys.makeDirectory(releaseDir))
    throw new Error("cannot make the folder " + releaseDir);

var manifest = "";
for (var i = 0; i < files.length; i++) {
    var source = files[i];
    var name = source.substring(source.lastIndexOf("/") + 1);
    var target = releaseDir + "/" + name;
    if (!QVSys.copyFile(source, target))
        throw new Error("cannot copy " + source + " to " + target);
    var crc = QVSys.crc32(QVSys.readByteArrayFromFile(target));
    manifest += name + " " + QVSys.fileSize(target) + " " + crc.toString(16) + "\n";
}
QVSys.writeStringToFile(releaseDir + "/MANIFEST", manifest);
WScript.Echo(manifest);
