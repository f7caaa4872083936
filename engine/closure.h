#pragma once

class ESContext;
struct ESCodeUnit;
struct ESObject;

// A script function object for a compiled unit, closed over the scope chain given: one call
// record serves call and new, "length" is the unit's parameter count and "prototype" a fresh
// object whose "constructor" is the function.
ESObject *newScriptFunction(ESContext *cx, ESCodeUnit *unit, ESObject *scope);
