#pragma once

#include "engine/value.h"

class ESContext;

// The text of left followed by the text of right; either may be any primitive. A long result
// that starts with a buffered left operand is appended to that buffer in place, so building a
// text by repeated += takes time linear in its final length.
ESValue concatenate(ESContext *cx, const ESValue &left, const ESValue &right);
