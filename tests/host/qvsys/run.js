// Programs run without a shell: quoted words, captured lines, redirections and exit codes.
/*===
0 [a] [b]
0 [] []
0 [x
abc]
0 [] listing: out.txt
-56 -1 -1
0 [say "hi"]
0 [] err
0 [a]
===*/
function show(code) {
    WScript.Echo(code + " [" + QVSys.getRunStdout() + "]");
}
WScript.Echo(QVSys.run("sh -c \"echo a; echo b 1>&2\"", true) + " [" + QVSys.getRunStdout() + "] ["
    + QVSys.getRunStderr() + "]\n");
WScript.Echo(QVSys.run("printf abc", true) + " [" + QVSys.getRunStdout() + "] ["
    + QVSys.getRunStderr() + "]\n");
show(QVSys.run("printf \"x\\nabc\"", true));
WScript.Echo("\n");
show(QVSys.run("ls > out.txt", true));
WScript.Echo(" listing: " + QVSys.readStringFromFile("out.txt"));
WScript.Echo(QVSys.run("sh -c \"exit 200\"", true) + " " + QVSys.run("no-such-program", true)
    + " " + QVSys.run("", true) + "\n");
show(QVSys.run("echo say \\\"hi\\\"", true));
WScript.Echo("\n");
QVSys.run("sh -c \"echo err 1>&2\" 2> err.txt", true);
WScript.Echo(QVSys.run("true", false) + " [" + QVSys.getRunStderr() + "] " + QVSys.readStringFromFile("err.txt"));
QVSys.run("echo a", true);
show(QVSys.run("true", false)); // a run without waiting keeps the last captured lines
WScript.Echo("\n");
