// Words reach the program exactly as written, with no shell to expand or split them; a program
// that reads standard input gets end of file at once, and a background child left holding the
// output pipes does not keep the run waiting.
// args: -define brindle=%B/../brindle -load %F
/*===
0 <a  b>|<c;d>|<$(echo expanded)>|<`echo expanded`>|<"quoted">|<'single'>|<*>|<$HOME>|<a|b&&c>
0 []
124
0 0 0
===*/
function show(code) {
    WScript.Echo(code + " " + QVSys.getRunStdout().split("\n").join("|") + "\n");
}
show(QVSys.run("printf <%s>\\n \"a  b\" c;d \"$(echo expanded)\" \"`echo expanded`\" \\\"quoted\\\" 'single' * $HOME a|b&&c", true));

// brindle's own standard input never ends here, so a child that inherited it would read on.
QVSys.writeStringToFile("cat.js", "WScript.Echo(QVSys.run(\"cat\", true) + \" [\" + QVSys.getRunStdout() + \"]\\n\");");
QVSys.run("sh -c \"yes | timeout 10 " + brindle + " -load cat.js\"", true);
WScript.Echo(QVSys.getRunStdout() + "\n");
// The guard itself: a run of cat on that input is cut off by timeout.
WScript.Echo(QVSys.run("sh -c \"yes | timeout 1 cat >/dev/null\"", true) + "\n");

// The run is over while the background child still runs; it is then stopped.
WScript.Echo(QVSys.run("sh -c \"sleep 30 & echo $!\"", true) + " ");
var background = QVSys.getRunStdout();
WScript.Echo(QVSys.run("sh -c \"kill -0 " + background + "\"", true) + " "
    + QVSys.run("sh -c \"kill " + background + "\"", true) + "\n");
