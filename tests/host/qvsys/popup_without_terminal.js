// With no terminal to ask on, popup answers false at once: standard input closed, from
// /dev/null, or a pipe in a session without a controlling terminal.
// args: -define brindle=%B/../brindle -load %F
/*===
closed: asked false, then done
null: asked false, then done
no terminal: asked false, then done
===*/
QVSys.writeStringToFile("ask.js",
    "WScript.Echo(\"asked \" + QVSys.popup(\"Flash the board?\") + \", then done\\n\");");
var ways = [ "closed", "exec 0<&-; ", "null", "exec </dev/null; ",
    "no terminal", "yes | setsid " ];
for (var i = 0; i < ways.length; i += 2) {
    QVSys.run("sh -c \"" + ways[i + 1] + "timeout 10 " + brindle + " -load ask.js\"", true);
    WScript.Echo(ways[i] + ": " + QVSys.getRunStdout() + QVSys.getRunStderr() + "\n");
}
