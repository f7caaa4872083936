#include "engine/name.h"

#include <QHash>
#include <vector>

namespace {

// Index names below this bound are found by number; larger ones go through the text hash.
constexpr quint32 indexCacheLimit = 1u << 26;

struct NameTable
{
    QHash<QString, ESName *> byText;
    std::vector<ESName *> byIndex;
    // Names of array indexes, filled as they are asked for: "0" to "99" at start-up and the
    // rest on demand, so that a loop over a large array formats each index only once.
    std::vector<ESName *> indexNames;

    NameTable()
    {
        byText.reserve(1024);
        for (quint32 i = 0; i < 100; ++i)
            indexName(i, QString());
    }
    ~NameTable()
    {
        for (ESName *name : byIndex)
            delete name;
    }

    ESName *intern(const QString &text)
    {
        const qint64 arrayIndex = canonicalIndex(text);
        if (arrayIndex >= 0 && arrayIndex < indexCacheLimit)
            return indexName(quint32(arrayIndex), text);
        auto it = byText.constFind(text);
        if (it != byText.constEnd())
            return it.value();
        ESName *name = create(text, arrayIndex);
        byText.insert(text, name);
        return name;
    }

    // Index names below the cache limit live only in indexNames, which spares the text hash
    // for the millions of names a large array needs.
    ESName *indexName(quint32 index, const QString &text)
    {
        if (index >= indexNames.size())
            indexNames.resize(std::min<size_t>(
                    indexCacheLimit, std::max<size_t>(index + 1, indexNames.size() * 2)));
        ESName *&slot = indexNames[index];
        if (!slot)
            slot = create(text.isNull() ? QString::number(index) : text, index);
        return slot;
    }

    ESName *create(const QString &text, qint64 arrayIndex)
    {
        auto *name = new ESName{ quint32(byIndex.size()), text, arrayIndex };
        byIndex.push_back(name);
        return name;
    }

    static qint64 canonicalIndex(const QString &text)
    {
        const qsizetype length = text.size();
        if (length == 0 || length > 10)
            return -1;
        if (text[0] == u'0')
            return length == 1 ? 0 : -1;
        qint64 value = 0;
        for (QChar c : text) {
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c.unicode() - u'0');
        }
        return value <= 0xFFFFFFFFLL ? value : -1;
    }
};

NameTable &table()
{
    static NameTable instance;
    return instance;
}

} // namespace

ESName *intern(const QString &text)
{
    return table().intern(text);
}

ESName *intern(const char *latin1)
{
    return table().intern(QString::fromLatin1(latin1));
}

ESName *nameAt(quint32 index)
{
    NameTable &t = table();
    return index < t.byIndex.size() ? t.byIndex[index] : nullptr;
}

quint32 nameCount()
{
    return quint32(table().byIndex.size());
}

ESName *nameForIndex(quint32 index)
{
    NameTable &t = table();
    if (index < t.indexNames.size()) {
        if (ESName *name = t.indexNames[index])
            return name;
    }
    if (index < indexCacheLimit)
        return t.indexName(index, QString());
    return t.intern(QString::number(index));
}

namespace names {
ESName *length;
ESName *prototype;
ESName *null;
ESName *trueName;
ESName *falseName;
ESName *eval;
ESName *arguments;
ESName *callee;
ESName *constructor;
ESName *index;
ESName *valueOf;
ESName *toString;
ESName *message;
ESName *name;
ESName *fileName;
ESName *lineNumber;
ESName *sourceLine;

void internStandardNames()
{
    if (length)
        return;
    length = intern("length");
    prototype = intern("prototype");
    null = intern("null");
    trueName = intern("true");
    falseName = intern("false");
    eval = intern("eval");
    arguments = intern("arguments");
    callee = intern("callee");
    constructor = intern("constructor");
    index = intern("index");
    valueOf = intern("valueOf");
    toString = intern("toString");
    message = intern("message");
    name = intern("name");
    fileName = intern("fileName");
    lineNumber = intern("lineNumber");
    sourceLine = intern("sourceLine");
}
} // namespace names
