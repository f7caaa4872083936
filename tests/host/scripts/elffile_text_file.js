// A file that is not ELF ends the run; a script's try does not catch it.
// status: 1
BinaryFile.resize(16, 0x41);
BinaryFile.save("text.elf");
try {
    ElfFile.load("text.elf");
} catch (e) {
    WScript.Echo("caught\n");
}
WScript.Echo("not reached\n");
/*=== stderr
error: invalid ELF file: text.elf
===*/
