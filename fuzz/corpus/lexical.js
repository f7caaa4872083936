/* Literal forms: numbers in every base, escapes, comments /*/ and odd spacing. */
var n = [0x1F, 0XFF, 017, 08, 1e3, 1E+2, 1.e3, .5, 5.], s = 'a\x41\101\u0042\8\477\
next', t = "tab\there \"quoted\" \'single\' \\ \0 \v", u = 0x;
a<<=b; a>>>=c; x+++y; a!=b; a==b;
x
++y
o.p = o['q'] + o[1] + o[i]; new F(1).g; new F;
// trailing comment without newline
