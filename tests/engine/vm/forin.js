// for-in visits each enumerable name once, own or inherited, from a snapshot.
/*===
zulu yankee xray
added during the loop: false
globals: mine
===*/
function Base() { }
Base.prototype.zulu = 1;
Base.prototype.yankee = 2;
var o = new Base();
o.yankee = 3;
o.xray = 4;
var names = "";
for (var k in o) names += (names ? " " : "") + k;
WScript.Echo(names + "\n");

var seen = false;
for (var k in o) { o.whiskey = 5; if (k == "whiskey") seen = true; }
WScript.Echo("added during the loop: " + seen + "\n");

// The global object lists only the script's own enumerable variables: the built-ins are
// DontEnum, and so are the declared vars.
var listed = "";
mine = 1;
for (var g in this) if (g == "mine" || g == "Math" || g == "NaN" || g == "eval") listed += g;
WScript.Echo("globals: " + listed + "\n");
