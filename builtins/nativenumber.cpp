#include "builtins/nativenumber.h"

#include "engine/context.h"

void ESNativeNumber::setUp(ESContext *) { }
