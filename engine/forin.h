#pragma once

class ESContext;

// ENUM: replaces tos with a snapshot of the enumerable names of tos and its prototypes.
void enumerate(ESContext *cx);
// NEXT: with a name left, tos becomes it and the answer is true (the loop goes on); otherwise
// tos is popped and the answer is false.
bool nextName(ESContext *cx);
