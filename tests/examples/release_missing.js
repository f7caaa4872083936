// The release example stops at a file that is not there, before copying anything.
// args: -define release=out -define "files=missing.bin" -load %E/release.js
// status: 1
/*=== stderr
error: no file missing.bin to release
===*/
