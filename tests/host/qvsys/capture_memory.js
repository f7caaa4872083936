// Captured output is kept as the 8-bit text it arrived as, so 6.9 MB of short lines, read back
// as one string, fit in 60 MB of heap; a string object per line took ten times their size.
// args: -define brindle=%B/../brindle -load %F
/*===
6888895 last 1000000
status 0
===*/
QVSys.writeStringToFile("inner.js", "QVSys.run('seq 1 1000000', true); var out = QVSys.getRunStdout();"
    + " WScript.Echo(out.length + ' last ' + out.substring(out.lastIndexOf('\\n') + 1) + '\\n');");
var status = QVSys.run("prlimit --data=60000000 " + brindle + " -load inner.js", true);
WScript.Echo(QVSys.getRunStdout() + QVSys.getRunStderr() + "\nstatus " + status + "\n");
