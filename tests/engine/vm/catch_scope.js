// A catch identifier belongs to its catch block alone: outside the block, in the function around
// it and in closures made elsewhere, the same name still means the variable it meant before;
// closures made inside the block see the caught value and what the block assigns to it.
/*===
outside outer
before and after outer1outer
after the block local local
inside caught changed
closures changed changed
top-level closure top, e is undefined
parameter param
nested 1
===*/
var k = "outer";
function outside() { try { throw 1; } catch (k) { } return k; }
WScript.Echo("outside " + outside() + "\n");
function beforeAndAfter() { var x = k; try { throw 1; } catch (k) { x += k; } return x + k; }
WScript.Echo("before and after " + beforeAndAfter() + "\n");

var inside = [];
function closures() {
    var k = "local";
    var made = [];
    var elsewhere = function () { return k; };
    try { throw "caught"; } catch (k) {
        made[0] = function () { return k; };
        made[1] = function () { return function () { return k; }; };
        inside[0] = k;
        k = "changed";
        inside[1] = k;
    }
    WScript.Echo("after the block " + k + " " + elsewhere() + "\n");
    return made;
}
var made = closures();
WScript.Echo("inside " + inside.join(" ") + "\n");
WScript.Echo("closures " + made[0]() + " " + made[1]()() + "\n");

try { throw "top"; } catch (e) { var fromCatch = function () { return e; }; }
WScript.Echo("top-level closure " + fromCatch() + ", e is " + typeof e + "\n");
function parameter(k) { try { throw 1; } catch (k) { k = 5; } return k; }
WScript.Echo("parameter " + parameter("param") + "\n");
function nested() { try { throw 1; } catch (k) { try { throw 2; } catch (k) { } return k; } }
WScript.Echo("nested " + nested() + "\n");
