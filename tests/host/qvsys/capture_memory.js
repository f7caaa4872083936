// Captured output is kept as the 8-bit text it arrived as: 6.9 MB of short lines, read back as
// one string, raise the peak memory by about three times their size (under the sanitizers six),
// where a string object per line took twelve.
/*===
6888895 last 1000000 within 8 times: true
===*/
function peakKilobytes() {
    var status = QVSys.readStringFromFile("/proc/self/status");
    var at = status.indexOf("VmHWM:") + 6;
    return Number(status.substring(at, status.indexOf("kB", at)));
}
var before = peakKilobytes();
QVSys.run("seq 1 1000000", true);
var out = QVSys.getRunStdout();
var grown = (peakKilobytes() - before) * 1024;
WScript.Echo(out.length + " last " + out.substring(out.lastIndexOf("\n") + 1)
    + " within 8 times: " + (grown < 8 * out.length) + "\n");
