// Reads symbol addresses from a linked ELF file and writes them into a C header, so that a host
// tool or a second image can be built against the addresses the linker chose.
//
//   brindle -define elf=demo/app.elf -define header=demo/app_symbols.h \
//           -define "symbols=vectors main counter" -load examples/elf-header.js
var elfPath = this.elf ? this.elf : "demo/app.elf";
var headerPath = this.header ? this.header : "demo/app_symbols.h";
var symbols = (this.symbols ? this.symbols : "vectors main counter").split(" ");

ElfFile.load(elfPath); // a missing or broken file ends the run with a clear message

function hex(n) {
    return "0x" + ("0000000" + n.toString(16)).slice(-8).toUpperCase();
}

var guard = headerPath.toUpperCase().split(".").join("_").split("/").join("_").split("-").join("_");
var text = "/* Generated from " + elfPath + " by brindle; do not edit. */\n"
        + "#ifndef " + guard + "\n#define " + guard + "\n\n"
        + "#define ENTRY_POINT " + hex(ElfFile.getEntryPoint()) + "u\n";
for (var i = 0; i < symbols.length; i++) {
    var value = ElfFile.symbolValue(symbols[i]);
    if (typeof value != "number")
        throw new Error("symbol " + symbols[i] + " is not in " + elfPath);
    text += "#define ADDRESS_OF_" + symbols[i].toUpperCase() + " " + hex(value) + "u\n";
}
text += "\n#endif\n";
if (!QVSys.writeStringToFile(headerPath, text))
    throw new Error("cannot write " + headerPath);
WScript.Echo(text);
