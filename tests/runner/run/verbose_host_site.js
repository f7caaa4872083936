// A host failure that ends the run (ElfFile.load of a missing file, which try cannot catch)
// names the line of the failing call under -verbose, and a thrown text gets the same.
// args: -verbose -load %F
// status: 1
/*===
loading: %D/verbose_host_site.js
===*/
/*=== stderr
error: cannot open missing.elf
  at %D/verbose_host_site.js:14: ElfFile.load(path);
===*/
function loadFirmware(path) {
    try {
        ElfFile.load(path);
    } catch (e) {
        throw "not reached";
    }
}

loadFirmware("missing.elf");
