// The release example copies its demonstration files and lists them with sizes and CRC-32s.
// args: -define release=out -load %E/release.js
/*===
demo-readme.txt 22 f07ff9a3
demo-image.bin 8 ebf47227
===*/
