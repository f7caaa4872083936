#pragma once

#include "engine/object.h"

// Element access for the Array methods and for array-building natives. Elements are ordinary
// properties named by their index, but an array filled in order holds element i at position
// i + 1 (just after "length"), so that position is tried before the name is looked up.

// The object's own entry for the element, or null; element is the name of an array index.
ESProperty *findOwnElement(ESObject *object, quint32 index);
ESProperty *findOwnElement(ESObject *object, const ESName *element);

// The element as the object's get answers it (through the prototypes when not stored).
ESValue getElement(ESContext *cx, ESObject *object, quint32 index);

// The element stored by the object's put; on an array the length follows.
void putElement(ESContext *cx, ESObject *object, quint32 index, const ESValue &value);

// True when the element is present, own or on a prototype, with its value in value.
bool readElement(ESContext *cx, ESObject *object, quint32 index, ESValue &value);

// Deletes the own element (DontDelete ones stay); an array gives back the room at its end.
void deleteElement(ESContext *cx, ESObject *object, quint32 index);

// The length of an array or array-like object, as a 32-bit unsigned number.
quint32 lengthOf(ESContext *cx, ESObject *object);
