// Labelled loops: break and continue reach an outer loop.
var found = -1, rows = [[1, 2, 3], [4, 5, 6], [7, 8, 9]];
search: for (var i = 0; i < rows.length; i++) {
    for (var j = 0; j < rows[i].length; j++) {
        if (rows[i][j] == 5) { found = i * 3 + j; break search; }
        if (rows[i][j] % 2 == 0) continue search;
    }
}
outer:
while (true) { inner : do { break outer; } while (false) }
