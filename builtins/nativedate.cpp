#include "builtins/nativedate.h"

#include "engine/context.h"

void ESNativeDate::setUp(ESContext *) { }
