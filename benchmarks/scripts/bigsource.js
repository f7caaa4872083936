// Scale: a generated program of about `size` bytes of source (default 1 MB) is compiled and
// run with eval. Each unit is a function with its own name, global and number constants, so
// the compiler's name and constant tables grow with the text; groups of a hundred units are
// called from one function each, which keeps the top-level code small. Run with -define size=N.
// scale: size=1048576
var size = typeof size == "undefined" ? 1048576 : parseInt(size);
var lines = [];
var group = [];
var length = 0, units = 0, groups = 0;
while (length < size) {
    var line = "function f" + units + "(a, b) { var t = a * " + (units + 0.5) + " + b; "
            + "if (t > " + (units + 1000) + ") t = t % 997; return t + g" + units + "; }\n";
    lines[lines.length] = line;
    group[group.length] = "g" + units + " = " + units + "; total = (total + f" + units + "("
            + units + ", total)) % 1000003;\n";
    length = length + line.length + group[group.length - 1].length;
    units = units + 1;
    if (units % 100 == 0 || length >= size) {
        lines[lines.length] = "function h" + groups + "() {\n" + group.join("") + "}\nh" + groups + "();\n";
        group = [];
        groups = groups + 1;
    }
}
var total = 0;
var source = lines.join("");
eval(source);
WScript.Echo("bigsource " + source.length + " " + units + " " + total + "\n");
