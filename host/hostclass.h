#pragma once

#include "engine/class.h"
#include "engine/context.h"
#include "engine/object.h"
#include "host/hexception.h"

#include <cstddef>

// One method of a host class: its published name, declared argument count, the member that runs
// it and its help text (null for none). The handler writes its result into arguments[0]; one that
// writes nothing leaves the first argument as the result.
template <typename Class> struct ESHostMethod
{
    const char *name;
    qint32 argumentCount;
    void (Class::*handler)(ESContext *cx, int count, ESValue *arguments);
    const char *help;
};

// A native class that publishes one global object whose methods are rows of a table. A row's
// native index is its position in the table plus the table's first index, so a subclass appends
// a table of its own after its base's rows.
class ESHostClass : public ESClass
{
public:
    using ESClass::ESClass;

protected:
    template <typename Class, std::size_t N>
    void installMethods(ESContext *cx, ESObject *holder, const ESHostMethod<Class> (&table)[N],
            qint32 firstIndex = 0)
    {
        for (std::size_t i = 0; i < N; ++i)
            installMethod(cx, holder, table[i].name, table[i].argumentCount, firstIndex + qint32(i),
                    table[i].help);
    }

    // Runs the row that function's native index selects; false when the index is not in table,
    // so the caller can hand it on to its base class.
    template <typename Class, std::size_t N>
    static bool callMethod(Class *self, const ESHostMethod<Class> (&table)[N], qint32 firstIndex,
            ESContext *cx, ESObject *function, int count, ESValue *arguments)
    {
        const qint64 row = qint64(function->nativeIndex) - firstIndex;
        if (row < 0 || row >= qint64(N))
            return false;
        try {
            (self->*table[row].handler)(cx, count, arguments);
        } catch (HException &failure) {
            // The call is where the script was; the frames it unwinds put earlier lines back.
            if (!failure.hasSite())
                setSite(failure, currentSite(cx));
            throw;
        }
        return true;
    }

private:
    static void setSite(HException &failure, const ESSourceSite &site);

    // The label is made here from the class name, so every host method is named the same way.
    void installMethod(ESContext *cx, ESObject *holder, const char *name, qint32 argumentCount,
            qint32 nativeIndex, const char *help);
};
