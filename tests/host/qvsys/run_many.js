// Thousands of runs, waited for or not, leave no descriptor open and no child behind.
/*===
descriptors true
children 1
===*/
// Run by sh, these count the runner's open descriptors and its child processes (sh included).
// cat reads past a process that ends while the list is read, where awk would stop at it.
QVSys.writeStringToFile("descriptors.sh", "ls /proc/$PPID/fd | wc -l\n");
QVSys.writeStringToFile("children.sh",
    "cat /proc/[0-9]*/status 2>/dev/null | awk -v p=$PPID '$1 == \"PPid:\" && $2 == p { n++ } END { print n + 0 }'\n");
QVSys.run("sh descriptors.sh", true);
var before = QVSys.getRunStdout();
for (var i = 0; i < 200; i++)
    QVSys.run(i % 2 ? "true" : "true > nowait.txt", false);
// The waited runs come last: each one first reaps the children of earlier runs that ended.
for (var i = 0; i < 1000; i++)
    QVSys.run(i % 5 ? "true" : "sh -c \"echo out; echo err 1>&2\" 2> err.txt", true);
QVSys.run("no-such-program", true);
QVSys.run("sh descriptors.sh", true);
WScript.Echo("descriptors " + (QVSys.getRunStdout() == before) + "\n");
QVSys.run("sh children.sh", true);
WScript.Echo("children " + QVSys.getRunStdout() + "\n");
