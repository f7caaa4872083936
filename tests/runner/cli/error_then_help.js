// An error before -help is reported, then -help prints the help text and ends with status 0.
// args: -bogus -help -alsobogus
/*=== stderr
brindle: error: unrecognised option -bogus
Quorvane Tools for ARM Brindle - Release 1.0.0.2026120600.1
Copyright (C) 2026 the Quorvane toolchain developers.
Runs build and release scripts for embedded firmware.

Usage: brindle [options] script

  -define 'variable'='value'  Define a global variable
  -help                       Print options help
  -load 'file'                Load a script file
  -verbose                    Produce verbose output

===*/
