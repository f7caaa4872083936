#include "builtins/nativeboolean.h"

#include "engine/context.h"

void ESNativeBoolean::setUp(ESContext *) { }
