#pragma once

class ESContext;
struct ESCodeUnit;

// Executes unit from offset 0 until RET or RETU (or until the step hook says stop). The result
// is left in tos and the stack holds one more entry than at entry.
void run(ESContext *cx, ESCodeUnit *unit);

// run for a unit already prepared, well-formed and with its line numbers, as a caller that
// runs one unit many times knows after the first run.
void runPrepared(ESContext *cx, ESCodeUnit *unit);
