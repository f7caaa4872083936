// Definitions and host objects are not listed by for-in over the global object.
// args: -define x=1 -load %F
/*===
x=1 seen:
===*/
var seen = "";
for (var name in this)
    if (name == "x" || name == "WScript" || name == "QVSys" || name == "BinaryFile")
        seen += name;
WScript.Echo("x=" + x + " seen:" + seen + "\n");
