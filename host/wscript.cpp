#include "host/wscript.h"

#include "engine/convert.h"

#include <cstdio>

const ESHostMethod<WScriptESClass> WScriptESClass::methods[1] = {
    { "Echo", 1, &WScriptESClass::echo, nullptr },
};

ESObject *WScriptESClass::install(ESContext *cx)
{
    ESObject *holder = ESClass::install(cx);
    installMethods(cx, holder, methods);
    return holder;
}

void WScriptESClass::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    if (!callMethod(this, methods, 0, cx, function, count, arguments))
        ESClass::call(cx, function, thisObject, count, arguments);
}

// No line end is added: scripts that want lines write "\n" themselves.
void WScriptESClass::echo(ESContext *cx, int, ESValue *arguments)
{
    fputs(toString(cx, arguments[0]).toLatin1().constData(), stdout);
    arguments[0] = ESValue();
}
