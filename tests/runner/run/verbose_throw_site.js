// An error the script made itself carries no location; -verbose names the throw statement that
// raised it, even after a finally block and a catch have passed it on.
// args: -verbose -load %F
// status: 1
/*===
loading: %D/verbose_throw_site.js
===*/
/*=== stderr
error: image too short
  at %D/verbose_throw_site.js:15: throw new Error("image too short");
===*/
function check(length) {
    try {
        if (length < 8)
            throw new Error("image too short");
    } finally {
        length = 0;
    }
}

try {
    check(4);
} catch (e) {
    throw e;
}
