#include "host/hostclass.h"

#include "engine/context.h"
#include "engine/method.h"

void ESHostClass::installMethod(ESContext *cx, ESObject *holder, const char *name,
        qint32 argumentCount, qint32 nativeIndex, const char *help)
{
    const QString label =
            QLatin1String(className) + QLatin1String(".prototype.") + QLatin1String(name);
    const ESMethodEntry entry{ intern(name), intern(label), argumentCount, nativeIndex, 0, help };
    ESObject *function = newNativeFunction(cx, holder, entry, cx->functionPrototype, this);
    // new on a host method reaches the class's construct, which makes no object, so the error
    // names the method rather than calling it a non-constructor.
    function->construct = function->code;
}

void ESHostClass::setSite(HException &failure, const ESSourceSite &site)
{
    failure.fileName = site.fileName;
    if (site.sourceLine(failure.sourceLine))
        failure.line = site.line;
}
