#pragma once

#include "engine/value.h"

#include <new>
#include <span>
#include <vector>

class ESClass;
class ESContext;
struct ESCodeUnit;

enum ESAttribute : quint32 {
    ReadOnly = 1,
    DontEnum = 2,
    DontDelete = 4,
};

// One property entry; a null name marks an entry that was deleted.
struct ESProperty
{
    ESName *name;
    quint32 attributes;
    ESValue value;
};
static_assert(sizeof(ESProperty) == 32, "property entries are 32 bytes");

// The properties of an object: named entries in insertion order, and for an array the elements
// 0 to elementCount() - 1 as bare values (no name, no attributes), so that a large array costs
// 16 bytes an element. An index below elementCount() never has an entry; elements stored out of
// order, past a gap or with attributes are ordinary entries named by their index.
// Entries never move, so a position stays valid for the life of the object (compiled code
// addresses the global object's entries by position). Most objects hold a handful of entries and
// are scanned linearly; past a few dozen an index from name to position keeps lookups
// constant-time for large tables. Scripts make millions of objects, so the vector is one pointer:
// the count, the capacity and an extension (the index, the elements) sit in a header in front
// of the entries, and an object without properties has no block at all.
class ESPropertyVector
{
public:
    ESPropertyVector() = default;
    ESPropertyVector(const ESPropertyVector &) = delete;
    ESPropertyVector &operator=(const ESPropertyVector &) = delete;
    // Inline, so that an object that never had a property (a String method's temporary
    // wrapper) costs no call to destroy.
    ~ESPropertyVector()
    {
        if (block)
            releaseBlock();
    }

    // The position of name's entry, or -1. Inline, since nearly every property access asks; the
    // scan is the common case.
    int find(const ESName *name) const
    {
        if (!block || !(block->nameBits & nameBit(name)))
            return -1;
        if (block->extension) [[unlikely]]
            return findExtended(name);
        return scan(name);
    }
    // The entry named by the array index, found without making the index's name; -1 if none.
    int findIndexEntry(quint32 index) const;
    int append(ESName *name, quint32 attributes, const ESValue &value);
    // Room for count entries in all, for callers that know how many they will append.
    void reserve(int count);
    // Clears the entry in place: no name, no attributes, Undefined.
    void clear(int position);
    // Gives back cleared entries at the end, so that a stack kept by push and pop does not grow.
    // Only for objects whose positions no compiled code holds (everything but the global object).
    void dropClearedTail();

    int size() const { return block ? int(block->size) : 0; }
    ESProperty &operator[](int position) { return block->entries()[position]; }
    const ESProperty &operator[](int position) const { return block->entries()[position]; }
    const ESProperty *begin() const { return block ? block->entries() : nullptr; }
    const ESProperty *end() const { return block ? block->entries() + block->size : nullptr; }

    // The elements: index i below elementCount() is element(i).
    quint32 elementCount() const { return block && block->extension ? extensionElementCount() : 0; }
    ESValue *element(qint64 index)
    {
        if (!block || !block->extension) [[likely]]
            return nullptr;
        return extensionElement(index);
    }
    const ESValue *element(qint64 index) const
    {
        return const_cast<ESPropertyVector *>(this)->element(index);
    }
    // Element elementCount() becomes value; the caller has made sure no entry has its index.
    inline void appendElement(const ESValue &value);
    void reserveElements(quint32 count);
    // Elements from index on become entries named by their index, for a delete or an attribute
    // that leaves a gap or an entry where the elements were.
    void spillElements(quint32 index);
    // Drops the last element.
    void popElement();
    // Drops element 0; the others move down one index.
    void removeFirstElement();
    // The elements as one run, for work on all of them at once. Any change to the properties may
    // move it, so it is not kept across code that could make one.
    inline std::span<ESValue> elementRun();

private:
    struct Index;
    struct Extension;
    void releaseBlock();
    int scan(const ESName *name) const
    {
        const ESProperty *entry = block->entries();
        const int count = int(block->size);
        for (int i = 0; i < count; ++i) {
            if (entry[i].name == name)
                return i;
        }
        return -1;
    }
    int findExtended(const ESName *name) const;
    inline quint32 extensionElementCount() const;
    inline ESValue *extensionElement(qint64 index);
    void appendElementGrowing(const ESValue &value);
    // Each name sets one of 64 bits in the header as it is appended, so a clear bit answers a
    // lookup that would fail without looking at the entries: prototype chains and the checks
    // that an inherited property is not shadowed mostly ask for names an object lacks.
    // Entries without a name (an activation's hidden slots) set them all.
    static quint64 nameBit(const ESName *name)
    {
        return name ? quint64(1) << (name->index & 63) : ~quint64(0);
    }
    struct Block
    {
        quint32 size;
        quint32 capacity;
        Extension *extension;
        quint64 nameBits;
        ESProperty *entries() { return reinterpret_cast<ESProperty *>(this + 1); }
        const ESProperty *entries() const { return reinterpret_cast<const ESProperty *>(this + 1); }
    };
    static_assert(sizeof(Block) % alignof(ESProperty) == 0, "entries follow the header");

    void grow(quint32 capacity);
    Extension &extension();
    void buildIndex();

    Block *block = nullptr;
};

// Defined here so that element reads, which arrays make millions of, compile inline.
struct ESPropertyVector::Extension
{
    Index *index = nullptr;
    ESValue *elements = nullptr;
    quint32 elementCount = 0;
    quint32 elementCapacity = 0;
    // No entry has a higher array index: a growing array asks whether the index it is about
    // to append has an entry, and that is answered without a search.
    qint64 highestEntryIndex = -1;

    Extension() = default;
    Extension(const Extension &) = delete;
    Extension &operator=(const Extension &) = delete;
    ~Extension();
};

quint32 ESPropertyVector::extensionElementCount() const
{
    return block->extension->elementCount;
}

ESValue *ESPropertyVector::extensionElement(qint64 index)
{
    Extension *x = block->extension;
    return quint64(index) < x->elementCount ? x->elements + index : nullptr;
}

std::span<ESValue> ESPropertyVector::elementRun()
{
    if (!block || !block->extension)
        return {};
    return { block->extension->elements, block->extension->elementCount };
}

// Inline for the case of room to spare, which a growing array meets all but once per doubling.
void ESPropertyVector::appendElement(const ESValue &value)
{
    if (block && block->extension) [[likely]] {
        Extension *x = block->extension;
        if (x->elementCount < x->elementCapacity) {
            new (x->elements + x->elementCount) ESValue(value);
            ++x->elementCount;
            return;
        }
    }
    appendElementGrowing(value);
}

// What makes an object callable: the declared parameter and local counts, the compiled code
// (null for natives) and the scope chain captured when the function object was made.
struct ESCallRecord
{
    quint32 paramCount = 0;
    quint32 localCount = 0;
    ESCodeUnit *unit = nullptr;
    ESObject *scope = nullptr;
};

struct ESObject
{
    ESObject *prototype = nullptr;
    ESValue internalValue;
    ESCallRecord *code = nullptr;
    ESCallRecord *construct = nullptr;
    ESClass *objectClass = nullptr;
    ESPropertyVector properties;
    qint32 nativeIndex = -1;

    bool isCallable() const { return code != nullptr; }
};

// The context's objects. Records are handed out from batches of 64 and are all released
// together when the pool is destroyed; there is no collection during a run, so a record is
// never given back and the batch being used up needs no free list, only a count.
class ESObjectPool
{
public:
    ESObjectPool() = default;
    ESObjectPool(const ESObjectPool &) = delete;
    ESObjectPool &operator=(const ESObjectPool &) = delete;
    ~ESObjectPool();

    ESObject *allocate();
    ESCallRecord *newCallRecord();
    quint64 objectCount() const { return allocated; }

private:
    static constexpr int batchSize = 64;
    std::vector<ESObject *> batches;
    int usedInBatch = batchSize;
    // Call records come in batches too: every closure a script makes has one.
    std::vector<ESCallRecord *> callRecordBatches;
    int callRecordsInBatch = batchSize;
    quint64 allocated = 0;
};

ESObject *newObject(ESContext *cx, ESObject *prototype, ESClass *objectClass);
ESObject *newFunctionObject(ESContext *cx, ESObject *prototype, ESCallRecord *code,
        ESCallRecord *construct, ESClass *objectClass);
ESObject *newWrapper(
        ESContext *cx, ESObject *prototype, ESClass *objectClass, const ESValue &value);

// The engine's own definition: replaces the value and attributes of an existing entry (even a
// ReadOnly one) or appends a new entry.
void defineProperty(
        ESContext *cx, ESObject *object, quint32 attributes, ESName *name, const ESValue &value);
bool hasOwnProperty(const ESObject *object, const ESName *name);
bool hasProperty(const ESObject *object, const ESName *name);
bool isEnumerableOwn(const ESObject *object, const ESName *name);
bool deleteOwn(ESObject *object, const ESName *name);
// True when object lies on the prototype chain of value, value itself not counted.
bool isPrototypeOf(const ESObject *object, const ESValue &value);
// The array indexes in [from, to) that are stored on object or its prototypes, ascending and
// without repeats. Work over a long, mostly empty array can visit these alone, since every other
// index reads as Undefined; that holds only while each object on the chain is a plain object or
// an array, so the answer is false (and indexes empty) when another class is met.
bool storedIndexes(ESContext *cx, const ESObject *object, quint32 from, quint32 to,
        std::vector<quint32> &indexes);
