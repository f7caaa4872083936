// A syntax error in the script text names its line; the script text has no file name.
// args: -verbose "var a = 1;" "if (a {"
// status: 1
/*===
executing: var a = 1;
if (a {
===*/
/*=== stderr
error: expected ) found {
  at 2: if (a {
===*/
