// The flash release example on the fixture above 64 KiB: the three images and their SHA-256
// list, which sha256sum checks; the HEX and S-record files hold the raw image's bytes (read
// back by srec_cat) and the raw image ends with the stamped CRC word.
// args: -define elf=%B/host/fixtures/firmware-flash.elf -define out=release -define name=app-1.4.2 -load %E/flash-release.js -load %F
/*===
app-1.4.2.bin: 196628 bytes
app-1.4.2.hex: 540812 bytes
app-1.4.2.srec: 577671 bytes
app-1.4.2 from %B/host/fixtures/firmware-flash.elf: 196628 bytes at 0x08000000, CRC-32/MPEG-2 0x0dceccdc at 0x08030010
app-1.4.2.bin: OK
app-1.4.2.hex: OK
app-1.4.2.srec: OK
hex and srec hold the raw image, which ends in dc cc ce 0d
===*/
function run(command) {
    if (QVSys.run(command, true) != 0)
        throw new Error(command + " failed: " + QVSys.getRunStdout() + QVSys.getRunStderr());
    return QVSys.getRunStdout();
}
WScript.Echo(run("sh -c \"cd release && sha256sum -c app-1.4.2.sha256\"") + "\n");
run("srec_cat release/app-1.4.2.hex -intel -offset -0x08000000 -o hex.bin -binary");
run("cmp hex.bin release/app-1.4.2.bin");
run("srec_cat release/app-1.4.2.srec -motorola -offset -0x08000000 -o srec.bin -binary");
run("cmp srec.bin release/app-1.4.2.bin");
var last = run("sh -c \"tail -c 4 release/app-1.4.2.bin | od -An -tx1\"");
WScript.Echo("hex and srec hold the raw image, which ends in" + last + "\n");
