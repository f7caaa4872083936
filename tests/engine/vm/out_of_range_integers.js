// Numbers far outside 32 bits reach %, the bit operators, indexes and the methods that take
// positions, counts and date fields; the sanitizer build catches any conversion that overflows.
var big = [1e12, -1e12, 4294967296 * 3 + 5, 1e300, -1e300, 2147483648, -2147483649];
var out = [];
for (var i = 0; i < big.length; i++) {
    var n = big[i];
    out[out.length] = [n % 7, n % -2147483648, 7 % n, n | 0, n >>> 0, n >> 1, n << 1, n ^ 1, n & 3].join(",");
}
var seed = 123456789;
for (var j = 0; j < 5; j++)
    seed = (seed * 16807) % 2147483647;
out[out.length] = seed;
var s = "abcdef";
out[out.length] = [s.charAt(1e12), s.charCodeAt(-1e12), s.indexOf("c", 1e20), s.lastIndexOf("c", -1e20),
    s.substring(1e12, -1e12), s.substring(2, 1e300), s.indexOf("", 1e300)].join(",");
var a = [1, 2, 3, 4];
out[out.length] = [a.slice(1e12).length, a.slice(-1e12, 1e12).join(""), a.slice(2, -1e300).length, a[1e12], a[-1e12]].join(",");
out[out.length] = (12.5).toFixed(1e-300) + "," + (1.5).toString(16);
var d = new Date(0);
d.setTime(1e300);
var huge = new Date(1e20, 1e20);
var months = new Date(2000, 1e12);
var last = new Date(8.64e15);
out[out.length] = [d.valueOf(), huge.valueOf(), months.getDate(), last.getFullYear(), last.getHours()].join(",");
out[out.length] = String.fromCharCode(65 + 4294967296 * 1e6, 1e300, -1e300).length;
out[out.length] = QVSys.unpackU32([1, 2, 3, 4], 1e12) + "," + BinaryFile.peekUint32(1e300) + "," + BinaryFile.resize(-1e300);
WScript.Echo(out.join("\n") + "\n");
/*===
1,1420103680,7,-727379968,3567587328,-363689984,-1454759936,-727379967,0
-1,-1420103680,7,727379968,727379968,363689984,1454759936,727379969,0
3,5,7,5,5,2,10,4,1
1,0,7,0,0,0,0,1,0
-1,0,7,0,0,0,0,1,0
2,0,7,-2147483648,2147483648,-1073741824,0,-2147483647,0
-3,-1,7,2147483647,2147483647,1073741823,-2,2147483646,3
891865166
,NaN,-1,-1,abcdef,cdef,-1
4,,0
12,1.5
NaN,NaN,NaN,269078,0
3
0,undefined,undefined
===*/
