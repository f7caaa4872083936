#pragma once

class ESContext;
struct ESObject;

// Calls function with the count arguments that end at the top of the memory stack. On return
// the arguments are popped and the result is in tos.
void callFunction(ESContext *cx, ESObject *function, ESObject *thisObject, int count);
