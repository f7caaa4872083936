#pragma once

#include "engine/object.h"

// Element access for the Array methods, the array-building natives and the indexed
// instructions. An array keeps the elements it was given in order (0, 1, 2, ...) as bare values;
// the rest are ordinary properties named by their index, found here without making that name.

// The element as the object's get answers it (through the prototypes when not stored).
ESValue getElement(ESContext *cx, ESObject *object, quint32 index);

// True when the element is present, own or on a prototype, with its value in value.
bool readElement(ESContext *cx, ESObject *object, quint32 index, ESValue &value);

// The element stored by the object's put; on an array the length follows.
void putElement(ESContext *cx, ESObject *object, quint32 index, const ESValue &value);

// The Array class's put of an element: the element replaced or added, then the length raised
// past an index below 2^31 - 1. name is the index's name when the caller has it, or null.
void storeArrayElement(
        ESContext *cx, ESObject *array, quint32 index, ESName *name, const ESValue &value);

// Deletes the own element (DontDelete ones stay); an array gives back the room at its end.
void deleteElement(ESContext *cx, ESObject *object, quint32 index);

// The length of an array or array-like object, as a 32-bit unsigned number.
quint32 lengthOf(ESContext *cx, ESObject *object);

// The length of an array whose every index below the length is an element of its run and whose
// length is a plain, writable entry; -1 for any other object. Reads below such a length never
// reach the prototypes and stores below it change no length, so the Array methods may work on
// the run directly.
qint64 denseLength(ESContext *cx, ESObject *object);

// The length of an array denseLength accepted, set as the Array class's put would set it.
void setDenseLength(ESObject *array, quint32 length);
