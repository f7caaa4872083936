// Patching a small image: words in both orders, clipped byte ranges, padding and saves.
function show(value) { WScript.Echo(value + "\n"); }
WScript.Echo(BinaryFile.save("none.bin") + " " + BinaryFile.length() + "\n");
BinaryFile.resize(8, 0);
BinaryFile.pokeBytes(0, [1, 2, 3, 4, 5, 6, 7, 8]);
show(BinaryFile.save("image.bin"));
show(BinaryFile.load("image.bin"));
show(BinaryFile.peekUint32(0).toString(16));
show(BinaryFile.peekUint32(0, false).toString(16));
show(BinaryFile.peekUint32(5) + " " + BinaryFile.peekUint32(4294967295));
BinaryFile.pokeUint32(0, 0xAABBCCDD);
show(BinaryFile.peekBytes(0, 4));
BinaryFile.pokeUint32(4, 0x01020304, false);
show(BinaryFile.peekBytes(4, 4) + " " + BinaryFile.pokeUint32(6, 1) + " " + BinaryFile.peekBytes(4, 4));
BinaryFile.pokeUint32(4, 0x08070605);
show(BinaryFile.pokeBytes(7, [9, 9, 9]));
show(BinaryFile.peekBytes(6, 10));
BinaryFile.resize(10);
show(BinaryFile.length() + ": " + BinaryFile.peekBytes(6, 10));
show(BinaryFile.crc32(0, 10));
show(BinaryFile.saveRange("part.bin", 2, 100));
show(BinaryFile.load("part.bin") + " " + BinaryFile.peekBytes(0, 100));
BinaryFile.resize(12, 0x1234);
show(BinaryFile.peekBytes(7, 3));
BinaryFile.resize(4);
BinaryFile.resize(6, 0);
show(BinaryFile.peekBytes(0, 10));
show(BinaryFile.load("missing.bin") + " " + BinaryFile.length());
show(BinaryFile.crc32.length + " " + BinaryFile.length.help);
/*===
none.bin 0
true
true
4030201
1020304
undefined undefined
221,204,187,170
1,2,3,4 false 1,2,3,4
true
7,9
10: 7,9,255,255
1731431902
true
true 187,170,5,6,7,9,255,255
255,52,52
187,170,5,6,0,0
false 0
2 <b>BinaryFile.length()</b> returns the length of the binary file in bytes.
===*/
