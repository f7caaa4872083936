// With nothing loaded, saveHex writes nothing and answers false.
/*===
false false
===*/
WScript.Echo(BinaryFile.saveHex("none.hex", 0, "ihex") + " " + QVSys.fileExists("none.hex") + "\n");
