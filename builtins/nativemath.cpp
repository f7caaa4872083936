#include "builtins/nativemath.h"

#include "engine/context.h"

void ESNativeMath::setUp(ESContext *) { }
