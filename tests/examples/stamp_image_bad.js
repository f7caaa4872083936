// The image-stamping example refuses an image it cannot read.
// args: -define image=missing.bin -load %E/stamp-image.js
// status: 1
/*=== stderr
error: cannot read missing.bin
===*/
