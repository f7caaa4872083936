// The release example copies the files it is given and lists them with sizes and CRC-32s.
// args: -load %D/release_inputs.script -define release=out -define "files=notes.txt image.bin" -load %E/release.js
/*===
notes.txt 22 f07ff9a3
image.bin 8 ebf47227
===*/
