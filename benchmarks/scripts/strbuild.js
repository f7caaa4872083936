// Scale: a text of `size` characters (default 10 000 000) is built twice, once by += of short
// pieces and once by joining an array of the same pieces, and the two are compared. Run with
// -define size=N; the time should grow linearly with N.
// scale: size=10000000
var size = typeof size == "undefined" ? 10000000 : parseInt(size);
var piece = "0123456789";
var count = size / piece.length;
var text = "";
var i;
for (i = 0; i < count; i++)
    text += piece;
var parts = new Array();
for (i = 0; i < count; i++)
    parts[i] = piece;
var joined = parts.join("");
var sum = 0;
for (i = 0; i < text.length; i += 4099)
    sum = sum + text.charCodeAt(i);
WScript.Echo("strbuild " + text.length + " " + joined.length + " " + (text == joined) + " " + sum + "\n");
