// Runs a tool of the build, checks its exit code and its captured output, and stops the build
// with a clear message when it fails: here objcopy turns an ELF file into a raw image.
//
//   brindle -define elf=demo/app.elf -define bin=demo/app-copy.bin -load examples/run-tool.js
var elfPath = this.elf ? this.elf : "demo/app.elf";
var binPath = this.bin ? this.bin : "demo/app.bin";
var objcopy = this.objcopy ? this.objcopy : "arm-none-eabi-objcopy";

var status = QVSys.run(objcopy + " -O binary \"" + elfPath + "\" \"" + binPath + "\"", true);
var errors = QVSys.getRunStderr();
if (status != 0) {
    WScript.Echo(errors + "\n");
    throw new Error(objcopy + " failed with exit code " + status);
}
if (!QVSys.fileExists(binPath) || QVSys.fileSize(binPath) == 0)
    throw new Error(objcopy + " wrote no image");
WScript.Echo(binPath + ": " + QVSys.fileSize(binPath) + " bytes\n");
