// Every unknown option is reported, nothing runs, and the status is 1 once the line is parsed.
// args: -bogus "print('ran')" -x -verbose
// status: 1
/*=== stderr
brindle: error: unrecognised option -bogus
brindle: error: unrecognised option -x
===*/
