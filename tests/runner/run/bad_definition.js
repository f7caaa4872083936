// A definition needs a name and a value.
// args: -define novalue= "WScript.Echo(1)"
// status: 1
/*=== stderr
error: cannot define novalue=
===*/
