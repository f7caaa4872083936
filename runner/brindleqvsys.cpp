#include "runner/brindleqvsys.h"

#include "engine/convert.h"

#include <cstdlib>
#include <iterator>

namespace {
constexpr qint32 firstIndex = qint32(std::size(QVSysESClass::methods));
}

const ESHostMethod<BrindleQVSysESClass> BrindleQVSysESClass::methods[1] = {
    { "exit", 1, &BrindleQVSysESClass::exit,
            "<b>QVSys.exit(status)</b> terminates Brindle with exit code <i>status</i>." },
};
// QVSys's later rows are numbered after these; a row added here must not take their indexes.
static_assert(firstIndex + qint32(std::size(BrindleQVSysESClass::methods))
                <= QVSysESClass::addedFirstIndex,
        "the runner's QVSys rows run into QVSysESClass::addedMethods");

ESObject *BrindleQVSysESClass::install(ESContext *cx)
{
    ESObject *holder = installTable(cx);
    installMethods(cx, holder, methods, firstIndex);
    installAddedMethods(cx, holder);
    return holder;
}

void BrindleQVSysESClass::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    if (!callMethod(this, methods, firstIndex, cx, function, count, arguments))
        QVSysESClass::call(cx, function, thisObject, count, arguments);
}

// Ends the process where it stands: buffered output is flushed, nothing else is torn down.
void BrindleQVSysESClass::exit(ESContext *cx, int, ESValue *arguments)
{
    std::exit(int(toUint32(cx, arguments[0])));
}
