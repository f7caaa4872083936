// The host objects as scripts see them: hidden from for-in, methods with a read-only "length"
// and a "help" text, missing arguments read as undefined, methods that can be replaced, and new
// on a method refused with the method's label.
/*===
hidden: [] [] [] [] []
renameFile: 2 2 false <b>QVSys.renameFile(oldPath, newPath)</b> renames file <i>oldPath</i> to be <i>newPath</i>.
Echo: 1 undefined [object WScript] [object QVSys] [object Object]
missing argument: false true
replaced: 0 number
Error: WScript.prototype.Echo failed to generate an object
TypeError: new must be given a constructor object
===*/
function p(x) { WScript.Echo(x + "\n"); }
function keys(o) { var list = [], k; for (k in o) list.push(k); return "[" + list.sort() + "]"; }
function classOf(o) { o.describe = Object.prototype.toString; var text = o.describe(); delete o.describe; return text; }

var onGlobal = [];
for (var name in this)
    if (name == "WScript" || name == "QVSys" || name == "BinaryFile" || name == "ElfFile") onGlobal.push(name);
p("hidden: [" + onGlobal + "] " + keys(WScript) + " " + keys(QVSys) + " " + keys(BinaryFile) + " " + keys(QVSys.renameFile));
var rename = QVSys.renameFile;
rename.length = 5;
p("renameFile: " + rename.length + " " + QVSys.renameFile.length + " " + (delete rename.length) + " " + rename.help);
p("Echo: " + WScript.Echo.length + " " + WScript.Echo.help + " " + classOf(WScript.Echo) + " "
    + classOf(QVSys.fileExists) + " " + classOf(QVSys));
// With no argument the path is the text "undefined", which names a file like any other.
var before = QVSys.fileExists();
QVSys.writeStringToFile("undefined", "x");
p("missing argument: " + before + " " + QVSys.fileExists());
QVSys.run = 0;
p("replaced: " + QVSys.run + " " + typeof QVSys.run);
try { var made = new WScript.Echo("x"); } catch (e) { p(e.name + ": " + e.message); }
try { var made2 = new QVSys(); } catch (e) { p(e.name + ": " + e.message); }
