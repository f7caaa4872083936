#include "builtins/nativestring.h"

#include "engine/context.h"

void ESNativeString::setUp(ESContext *) { }
