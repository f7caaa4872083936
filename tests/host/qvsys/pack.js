// packU32 is big-endian unless asked otherwise; unpackU32 reads unset elements as 0.
/*===
17,34,51,68 68,51,34,17 287454020 287454020 3355443200 5
===*/
var a = [], b = [];
QVSys.packU32(a, 0, 0x11223344);
QVSys.packU32(b, 0, 0x11223344, true);
var c = [0xc8];
WScript.Echo(a + " " + b + " " + QVSys.unpackU32(a, 0) + " " + QVSys.unpackU32(b, 0, true) + " "
    + QVSys.unpackU32(c, 0) + " " + QVSys.packU32(5, 0, 1) + "\n");
