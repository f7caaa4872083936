// An unknown format is the script's mistake and try catches it; with no ELF file loaded,
// saveImage ends the run as save does.
// status: 1
/*===
Error: unknown image format "hex" (known: binary, ihex, srec)
===*/
/*=== stderr
error: no ELF file loaded to save to app.bin
===*/
try {
    ElfFile.saveImage("app.hex", "hex");
} catch (e) {
    WScript.Echo(e.name + ": " + e.message + "\n");
}
ElfFile.saveImage("app.bin", "binary");
WScript.Echo("not reached\n");
