// Reads and method calls remember a prototype's entry; shadowing, deleting, replacing and
// re-adding it must give what a full lookup gives.
/*===
base | base base | mid | base mid | own | mid | base own | new mid | undefined | own | again | new again | 2 | 3 | 4 | 4 | replaced | 4 | own push | replaced
===*/
function Base() { }
Base.prototype.kind = "base";
Base.prototype.name = function () { return "base " + this.kind; };
function Mid() { }
Mid.prototype = new Base();
var m = new Mid(), n = new Mid();
function kindOf(o) { return o.kind; }
function nameOf(o) { return o.name(); }
var seen = [];
function add() { var i; for (i = 0; i < arguments.length; i++) seen[seen.length] = "" + arguments[i]; }
add(kindOf(m), nameOf(m));
Mid.prototype.kind = "mid";                 // a nearer prototype gains the name
add(kindOf(m), nameOf(n));
n.kind = "own";                             // the object itself gains it
add(kindOf(n), kindOf(m), nameOf(n));
Base.prototype.name = function () { return "new " + this.kind; };   // replaced in place
add(nameOf(m));
delete Mid.prototype.kind;
delete Base.prototype.kind;                 // gone everywhere but on n
add(kindOf(m), kindOf(n));
Base.prototype.kind = "again";              // re-added at another position
add(kindOf(m), nameOf(m));
var list = [1, 2];
function lengthOf(o) { return o.length; }
function pushTo(o) { return o.push(0); }
add(lengthOf(list), pushTo(list), pushTo(list), lengthOf(list));
Array.prototype.push = function () { return "replaced"; };
add(pushTo(list), lengthOf(list));
list.push = function () { return "own push"; };
add(pushTo(list), pushTo([]));
WScript.Echo(seen.join(" | ") + "\n");
