#include "builtins/nativeobject.h"

#include "engine/context.h"

void ESNativeObject::setUp(ESContext *) { }
