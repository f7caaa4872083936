// A definition is a string: the third part of c=d=e is dropped, and n + 1 joins texts.
// args: -define a=b -define c=d=e -define n=5 "WScript.Echo(a + c)" "WScript.Echo(n + 1)"
/*===
bd51===*/
