// Indirect-file errors: a missing file, an unterminated quoted word (the line yields no words,
// so its unknown option is not reported) and an unknown option on a later line.
// args: @missing.words @%D/unterminated.words
// status: 1
/*=== stderr
brindle: error: can't open indirect file missing.words: No such file or directory
brindle: error: unterminated string in indirect file %D/unterminated.words(2)
brindle: error: unrecognised option -later
===*/
