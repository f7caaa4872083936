#include "host/hostclass.h"

#include "engine/context.h"
#include "engine/method.h"

void ESHostClass::installMethod(ESContext *cx, ESObject *holder, const char *name,
        qint32 argumentCount, qint32 nativeIndex, const char *help)
{
    const QString label =
            QLatin1String(className) + QLatin1String(".prototype.") + QLatin1String(name);
    const ESMethodEntry entry{ intern(name), intern(label), argumentCount, nativeIndex, 0, help };
    newNativeFunction(cx, holder, entry, cx->functionPrototype, this);
}
