#pragma once

#include "engine/class.h"

// The Date constructor and Date.prototype. A Date object holds its time value as a Number in
// the internal value slot; every method reads it as a QDate and a QTime.
class ESNativeDate : public ESClass
{
public:
    ESNativeDate() : ESClass("Date") { }

    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;
    ESObject *construct(ESContext *cx, ESObject *function, int count, ESValue *arguments) override;

    void setUp(ESContext *cx);
};
