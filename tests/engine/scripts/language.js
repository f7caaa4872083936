// A -load file and the script words run as programs of one context, in that order.
// args: -load %F WScript.Echo(fromFile) WScript.Echo(total(4))
function total(n) {
    var sum = 0;
    for (var i = 1; i <= n; i++) {
        try {
            if (i == 3) continue;
            sum += i;
        } finally {
            sum += 10;
        }
    }
    return sum;
}
var fromFile = "loaded";
/*===
loaded47===*/
