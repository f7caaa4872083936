#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/context.h"
#include "engine/name.h"

ESName *ESCompiler::hiddenName()
{
    static quint32 counter = 0;
    return intern(QStringLiteral("CG%1").arg(counter++));
}

// Top-level declarations are global variables: a slot on the global object, which a later
// declaration of the name leaves as it is. Inside a function a redeclared parameter or function
// name takes a new entry and the earlier one keeps its slot under a hidden name, while a var of
// an existing name is that entry.
void ESCompiler::declareName(ESName *name, quint32 flags, bool replace)
{
    if (!currentFunction) {
        ESObject *global = context->globalObject;
        if (!hasOwnProperty(global, name))
            defineProperty(context, global, flags, name, ESValue());
        if (currentUnit && !topLevelNames.contains(name)) {
            topLevelNames.insert(name);
            currentUnit->variables.push_back({ name, flags, ESValue() });
        }
        return;
    }
    for (ESProperty &entry : currentUnit->variables) {
        if (entry.name != name)
            continue;
        if (!replace)
            return;
        entry.name = hiddenName();
    }
    currentUnit->variables.push_back({ name, flags, ESValue() });
    if (flags & Parameter)
        ++currentUnit->paramCount;
    else
        ++currentUnit->localCount;
}
