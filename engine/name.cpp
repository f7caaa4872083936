#include "engine/name.h"

#include <memory>
#include <vector>

namespace {

// Index names below this bound are found by number; larger ones go through the text hash.
constexpr quint32 indexCacheLimit = 1u << 26;

// A short hash for the texts of names: identifiers and keys are a few characters long, where a
// multiply-and-add per unit beats a general-purpose hash. Scripts are the user's own, so there
// is no adversary to defend the table against.
quint32 textHash(QStringView text)
{
    quint32 h = quint32(text.size()) * 0x9E3779B1u;
    for (QChar c : text)
        h = (h ^ c.unicode()) * 0x01000193u;
    return h ^ (h >> 15);
}

// Index names are most of the names a large array makes (a byte array of 4 M elements makes
// 4 M of them), so they are packed: the records come in slabs, the texts sit in shared pages
// that the QStrings only point into, and the index-to-name table grows page by page instead of
// being copied to twice its size.
struct NameTable
{
    static constexpr size_t slabSize = 256;
    static constexpr size_t textPageUnits = 32768;
    static constexpr size_t indexPageSize = 4096;

    // Open addressing on textHash; slots hold names, null marks a free slot. Names are never
    // removed, so there are no tombstones.
    std::vector<ESName *> slots;
    size_t used = 0;
    std::vector<ESName *> byIndex;
    std::vector<std::unique_ptr<ESName[]>> slabs;
    size_t usedInSlab = slabSize;
    std::vector<std::unique_ptr<char16_t[]>> textPages;
    size_t usedInTextPage = textPageUnits;
    // Names of array indexes, filled as they are asked for: "0" to "99" at start-up and the
    // rest on demand, so that a loop over a large array formats each index only once.
    std::vector<std::unique_ptr<ESName *[]>> indexPages;

    NameTable()
    {
        slots.assign(2048, nullptr);
        for (quint32 i = 0; i < 100; ++i)
            indexName(i, QString());
    }

    // Only the text of a name that is not there yet is copied into a QString.
    template <typename MakeText> ESName *intern(QStringView text, MakeText makeText)
    {
        const qint64 arrayIndex = canonicalIndex(text);
        if (arrayIndex >= 0 && arrayIndex < indexCacheLimit)
            return indexName(quint32(arrayIndex), makeText());
        const quint32 hash = textHash(text);
        size_t i = hash & (slots.size() - 1);
        for (; ESName *name = slots[i]; i = (i + 1) & (slots.size() - 1)) {
            if (name->hash == hash && QStringView(name->text) == text)
                return name;
        }
        ESName *name = create(makeText(), arrayIndex);
        name->hash = hash;
        slots[i] = name;
        if (++used * 2 > slots.size())
            grow();
        return name;
    }

    void grow()
    {
        std::vector<ESName *> old(slots.size() * 2, nullptr);
        old.swap(slots);
        for (ESName *name : old) {
            if (!name)
                continue;
            size_t i = name->hash & (slots.size() - 1);
            while (slots[i])
                i = (i + 1) & (slots.size() - 1);
            slots[i] = name;
        }
    }

    ESName *cachedIndexName(quint32 index) const
    {
        const size_t page = index / indexPageSize;
        return page < indexPages.size() && indexPages[page]
                ? indexPages[page][index % indexPageSize]
                : nullptr;
    }

    // Index names below the cache limit live only in the index pages, which spares the text
    // hash for the millions of names a large array needs.
    ESName *indexName(quint32 index, const QString &text)
    {
        const size_t page = index / indexPageSize;
        if (page >= indexPages.size())
            indexPages.resize(page + 1);
        if (!indexPages[page])
            indexPages[page].reset(new ESName *[indexPageSize]());
        ESName *&slot = indexPages[page][index % indexPageSize];
        if (!slot)
            slot = create(text.isNull() ? indexText(index) : text, index);
        return slot;
    }

    // The decimal text of an index, kept in a text page for the life of the process.
    QString indexText(quint32 index)
    {
        char16_t digits[10];
        int count = 0;
        do {
            digits[count++] = char16_t(u'0' + index % 10);
            index /= 10;
        } while (index);
        if (usedInTextPage + size_t(count) + 1 > textPageUnits) {
            textPages.emplace_back(new char16_t[textPageUnits]);
            usedInTextPage = 0;
        }
        char16_t *text = textPages.back().get() + usedInTextPage;
        for (int i = 0; i < count; ++i)
            text[i] = digits[count - 1 - i];
        text[count] = 0;
        usedInTextPage += size_t(count) + 1;
        return QString::fromRawData(reinterpret_cast<const QChar *>(text), count);
    }

    ESName *create(const QString &text, qint64 arrayIndex)
    {
        if (usedInSlab == slabSize) {
            slabs.emplace_back(new ESName[slabSize]);
            usedInSlab = 0;
        }
        ESName *name = &slabs.back()[usedInSlab++];
        *name = ESName{ quint32(byIndex.size()), 0, text, arrayIndex };
        byIndex.push_back(name);
        return name;
    }

    static qint64 canonicalIndex(QStringView text)
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

// Names live until the process ends and the system takes their memory back at once; tearing
// the table down entry by entry at exit would only cost time.
NameTable &table()
{
    static NameTable &instance = *new NameTable;
    return instance;
}

} // namespace

ESName *intern(const QString &text)
{
    return table().intern(text, [&text] { return text; });
}

ESName *intern(QStringView text)
{
    return table().intern(text, [text] { return text.toString(); });
}

ESName *intern(const char *latin1)
{
    return intern(QString::fromLatin1(latin1));
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
    if (ESName *name = t.cachedIndexName(index))
        return name;
    if (index < indexCacheLimit)
        return t.indexName(index, QString());
    return intern(QString::number(index));
}

ESName *nameForCharacter(char16_t unit)
{
    static ESName *latin1[256];
    if (unit >= 256)
        return intern(QString(QChar(unit)));
    ESName *&name = latin1[unit];
    if (!name)
        name = intern(QString(QChar(unit)));
    return name;
}

namespace names {
ESName *empty;
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
    empty = intern("");
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
