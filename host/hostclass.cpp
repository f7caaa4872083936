#include "host/hostclass.h"

#include "engine/context.h"

void ESHostClass::installMethods(
        ESContext *cx, ESObject *holder, std::span<const ESMethodRow> table)
{
    for (const ESMethodRow &row : table)
        newNativeFunction(cx, holder, row.entry(), cx->functionPrototype, this);
}
