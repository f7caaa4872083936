// Scale: a byte array of `size` elements (default 4 M) is filled, summed and checksummed with
// QVSys.crc32. Run with -define size=N; the time should grow linearly with N.
// scale: size=4194304
var size = typeof size == "undefined" ? 4194304 : parseInt(size);
var bytes = [];
var x = 12345, i;
for (i = 0; i < size; i++) {
    x = (x * 69069 + 1) % 4294967296;
    bytes[i] = x % 256;
}
var sum = 0;
for (i = 0; i < size; i++)
    sum = sum + bytes[i];
WScript.Echo("bytearray " + size + " " + sum + " " + QVSys.crc32(bytes) + "\n");
