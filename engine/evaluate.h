#pragma once

#include "engine/context.h"

#include <QString>

struct ESCodeUnit;

// Compiles and runs a program. The file name and text stay on the context for the error
// locations until the next evaluation. A script error ends as a Throw completion; internal
// faults pass as ESFatalError.
ESCompletion evaluate(ESContext *cx, const QString &fileName, const QString &text);

// Runs a compiled top-level unit and answers its value; the stack is as before.
ESValue runProgram(ESContext *cx, ESCodeUnit *unit);

// The Function constructor's compiler entry: a function object of the global scope.
ESObject *compileFunctionText(ESContext *cx, const QString &parameters, const QString &body);

// Runs a script file: false when it cannot be opened; otherwise its completion is stored.
bool loadFile(ESContext *cx, const QString &fileName, ESCompletion &completion);
// The name itself, then the name in each of the global class's directories, first found wins.
bool loadWithSearchPath(ESContext *cx, const QString &fileName, ESCompletion &completion);
