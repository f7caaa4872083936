#pragma once

#include "host/hostclass.h"

// The script's text output: WScript.Echo writes to the standard output.
class WScriptESClass : public ESHostClass
{
public:
    WScriptESClass() : ESHostClass("WScript") { }

    ESObject *install(ESContext *cx) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;

    // Function objects carry these positions as native indexes: append rows only.
    static const ESHostMethod<WScriptESClass> methods[1];

private:
    void echo(ESContext *cx, int count, ESValue *arguments);
};
