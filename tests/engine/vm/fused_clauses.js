// A switch over number literals tests each clause in one step when the value is a Number; any
// other value takes the clauses one instruction at a time. Both must pick the same clause.
/*===
space tab quote other other other zero zero other
a:1 b:2 c:3 d:9
11,20,15
none one-two one-two three
outer 2 inner 7
===*/
function kind(c) {
    switch (c) {
        case 32: return "space";
        case 9: return "tab";
        case 34: return "quote";
        case 0: return "zero";
        default: return "other";
    }
}
// A text that reads as a number, NaN and an object are not identical to any literal; -0 is 0.
WScript.Echo([kind(32), kind(9), kind(34), kind("32"), kind(0 / 0), kind({}), kind(0), kind(-0),
              kind(33)].join(" ") + "\n");

// Falling through, a default between clauses, and a clause reached only by falling into it.
function letters(n) {
    var out = "";
    switch (n) {
        case 1: out += "a:1 ";
        case 2: out += "b:2 ";
        default: out += "c:3 ";
        case 9: out += "d:9";
    }
    return out;
}
WScript.Echo(letters(1) + "\n");

// In a loop, with break and continue, and a clause that is not a literal (not fused).
var picked = [], i, four = 4;
for (i = 0; i < 6; i++) {
    switch (i % 5) {
        case 1: picked.push(10 + i); break;
        case 3: continue;
        case four: picked.push(20); break;
        case 0: if (i > 0) picked.push(15); break;
    }
}
WScript.Echo(picked.join(",") + "\n");

function group(n) {
    switch (n) { case 1: case 2: return "one-two"; case 3: return "three"; }
    return "none";
}
WScript.Echo([group(0), group(1), group(2), group(3)].join(" ") + "\n");

// Nested switches keep their own values.
function nested(a, b) {
    var s = "";
    switch (a) {
        case 2:
            s += "outer 2 ";
            switch (b) { case 7: s += "inner 7"; break; default: s += "inner other"; }
            break;
        default: s += "outer other";
    }
    return s;
}
WScript.Echo(nested(2, 7) + "\n");
