// A function from a -load file that throws when the script text calls it names its own file
// and line, not the script text's.
// args: -verbose -load %F "var a = 1;" "var b = 2;" "var c = 3;" "var d = 4;" "var e = 5;" "var f = 6;" "var g = 7;" "var h = 8;" "var i = 9;" "var j = 10;" "var k = 11;" "var l = 12;" "checkImage(3);"
// status: 1
/*===
loading: %D/verbose_throw_in_loaded_file.js
executing: var a = 1;
var b = 2;
var c = 3;
var d = 4;
var e = 5;
var f = 6;
var g = 7;
var h = 8;
var i = 9;
var j = 10;
var k = 11;
var l = 12;
checkImage(3);
===*/
/*=== stderr
error: image of 3 bytes is too short
  at %D/verbose_throw_in_loaded_file.js:27: throw new Error("image of " + length + " bytes is too short");
===*/
function checkImage(length) {
    if (length < 8)
        throw new Error("image of " + length + " bytes is too short");
}
