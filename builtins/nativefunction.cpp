#include "builtins/nativefunction.h"

#include "engine/context.h"

void ESNativeFunction::setUp(ESContext *) { }
