// Closures over variables two functions out, with a function in between that keeps its own
// variables on the stack; a name declared again in between hides the outer one; a closure
// that writes an outer variable is seen by its siblings; a with inside a closure still
// finds the outer variables.
function outer() {
    var v = 1, hidden = "outer";
    function mid(step) {
        var m = 10;
        function inner() { v = v + step; return v + m; }
        return inner;
    }
    function shadow() {
        var hidden = "mid";
        return function () { return hidden; };
    }
    function read() { return v; }
    return [mid(2), mid(5), shadow(), read];
}
var parts = outer();
WScript.Echo(parts[0]() + " " + parts[1]() + " " + parts[0]() + " " + parts[3]() + "\n");
WScript.Echo(parts[2]() + "\n");

function scopes(k) {
    var seen = "";
    function probe() {
        with ({ k: "with" }) seen = seen + k + " ";
        return seen + k;
    }
    return probe;
}
WScript.Echo(scopes("arg")() + "\n");

function recurse(n) {
    var depth = n;
    function down(i) { return i == 0 ? depth : down(i - 1) + 1; }
    return down(n);
}
WScript.Echo(recurse(50) + "\n");
/*===
13 18 20 10
mid
with arg
100
===*/
