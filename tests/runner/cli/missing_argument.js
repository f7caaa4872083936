// An option that needs the next word, given last.
// args: -verbose -load
// status: 1
/*=== stderr
brindle: error: expected argument for option -load
===*/
