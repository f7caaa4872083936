// A thrown text is reported with its value, and -verbose adds the throw statement's line.
// args: -verbose -load %F
// status: 1
/*===
loading: %D/thrown_text_site.js
===*/
/*=== stderr
error: uncaught exception - no image
  at %D/thrown_text_site.js:11: throw "no image";
===*/
throw "no image";
