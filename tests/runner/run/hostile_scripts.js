// Scripts no one would write on purpose end in one clean error line and status 1, never in a
// crash: nesting 100 000 deep, a 50 MB script, binary garbage. A zero byte ends the script text.
// args: -define brindle=%B/../brindle -load %F
/*===
parentheses: 1 error: expression nested too deeply
blocks: 1 error: statement nested too deeply
functions: 1 error: function nested too deeply
arrays: 1 error: expression nested too deeply
objects: 1 error: expression nested too deeply
calls: 1 error: expression nested too deeply
50 MB string: 0 52428800
50 MB unterminated: 1 error: end of file in string constant
50 MB comment: 0 done
garbage: 1 one error line
zero byte: 0 before
zero byte in a string: 1 error: end of file in string constant
===*/
function repeat(text, count) {
    var result = "";
    for (; count > 0; count >>= 1, text += text)
        if (count & 1)
            result += text;
    return result;
}
function run(label, file) {
    var code = QVSys.run(brindle + " -load " + file, true);
    WScript.Echo(label + ": " + code + " " + QVSys.getRunStdout() + QVSys.getRunStderr() + "\n");
}
function nested(label, open, middle, close) {
    QVSys.writeStringToFile("nested.js", repeat(open, 100000) + middle + repeat(close, 100000));
    run(label, "nested.js");
}
nested("parentheses", "(", "1", ")");
nested("blocks", "{", "", "}");
nested("functions", "function f() { ", "", " }");
nested("arrays", "[", "", "]");
nested("objects", "({ a: ", "1", " })");
nested("calls", "f(", "", ")");

var fifty = repeat("x", 50 * 1024 * 1024);
QVSys.writeStringToFile("big.js", "var s = \"" + fifty + "\"; WScript.Echo(s.length + \"\\n\");");
run("50 MB string", "big.js");
QVSys.writeStringToFile("big.js", "var s = \"" + fifty);
run("50 MB unterminated", "big.js");
QVSys.writeStringToFile("big.js", "/*" + fifty + "*/ WScript.Echo(\"done\\n\");");
run("50 MB comment", "big.js");
fifty = "";

// Bytes from a fixed linear congruential sequence, none of them zero.
var bytes = [];
for (var i = 0, x = 12345; i < 100000; i++) {
    x = (x * 1103515245 + 12345) % 2147483648;
    bytes[i] = 1 + (x >> 16) % 255;
}
QVSys.writeByteArrayToFile("garbage.js", bytes);
var code = QVSys.run(brindle + " -load garbage.js", true);
var lines = QVSys.getRunStderr().split("\n");
WScript.Echo("garbage: " + code + " " + (lines.length == 1 && lines[0].indexOf("error: ") == 0
    ? "one error line" : QVSys.getRunStderr()) + "\n");

QVSys.writeByteArrayToFile("zero.js", [87, 83, 99, 114, 105, 112, 116, 46, 69, 99, 104, 111, 40,
    34, 98, 101, 102, 111, 114, 101, 92, 110, 34, 41, 59, 0, 255, 0, 40, 40]);
run("zero byte", "zero.js");
QVSys.writeByteArrayToFile("zero.js", [118, 97, 114, 32, 115, 32, 61, 32, 34, 97, 0, 98, 34, 59]);
run("zero byte in a string", "zero.js");
