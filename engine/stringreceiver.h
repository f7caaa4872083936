#pragma once

#include "engine/value.h"

class ESContext;

// Property reads and method calls on a primitive text (kind String or Name) in tos, the way
// GETF and CALLF do them on its String wrapper, but with a wrapper that lives only for the
// instruction instead of one taken from the pool for every call.
void getStringProperty(ESContext *cx, ESName *name);
void callStringMethod(ESContext *cx, ESName *name, int count);

// True when toString, looked up from the String object, is the built-in
// String.prototype.toString, so that converting the object to text yields its own text.
bool convertsByBuiltinToString(ESContext *cx, ESObject *stringObject);
