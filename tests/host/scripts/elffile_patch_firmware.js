// Reads the Thumb firmware's first word and entry, patches the data segment by its load
// address and checks that the saved copy differs from the original only there.
// args: -define fw=%B/host/fixtures/firmware-thumb.elf -load %F
function show(value) { WScript.Echo(value + "\n"); }
ElfFile.load(fw);
show(ElfFile.isLittleEndian());
show(ElfFile.peekUint32(0x08000000).toString(16));
show((ElfFile.getEntryPoint() & 1) + " " + (ElfFile.symbolValue("reset") & 1));
show(ElfFile.symbolValue("ns::f(int)") > 0x08000000);
var data = ElfFile.findProgram(0x20000000);
show((data.start - 0x08000000 == ElfFile.findProgram(0x08000000).size) + " " + data.size + " "
        + data.data.length);
show(ElfFile.peekUint32(data.start, false).toString(16));
ElfFile.pokeUint32(data.start, 0x55667788, false);
show(ElfFile.peekUint32(0x20000000).toString(16));
ElfFile.save("patched.elf");
BinaryFile.load(fw);
var before = BinaryFile.peekBytes(0, BinaryFile.length());
BinaryFile.load("patched.elf");
var after = BinaryFile.peekBytes(0, BinaryFile.length());
var changed = "";
for (var i = 0; i < before.length; i++)
    if (before[i] != after[i])
        changed += " " + after[i].toString(16);
show(before.length == after.length ? "changed:" + changed : "length changed");
/*===
true
20004000
1 0
true
true 44 12
11223344
55667788
changed: 88 77 66 55
===*/
