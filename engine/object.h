#pragma once

#include "engine/value.h"

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

// The properties of an object in insertion order. Entries never move, so a position stays valid
// for the life of the object (compiled code addresses the global object's entries by position).
// Most objects hold a handful of entries and are scanned linearly; past a few dozen an index
// from name to position keeps lookups constant-time for large arrays and tables. Scripts make
// millions of objects, so the vector is one pointer: the count, the capacity and the index sit
// in a header in front of the entries, and an object without properties has no block at all.
class ESPropertyVector
{
public:
    ESPropertyVector() = default;
    ESPropertyVector(const ESPropertyVector &) = delete;
    ESPropertyVector &operator=(const ESPropertyVector &) = delete;
    ~ESPropertyVector();

    // Inline, since nearly every property access asks; the scan is the common case.
    int find(const ESName *name) const
    {
        if (!block)
            return -1;
        if (block->index) [[unlikely]]
            return findIndexed(name);
        const ESProperty *entry = block->entries();
        const int count = int(block->size);
        for (int i = 0; i < count; ++i) {
            if (entry[i].name == name)
                return i;
        }
        return -1;
    }
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

private:
    struct Index;
    int findIndexed(const ESName *name) const;
    struct Block
    {
        quint32 size;
        quint32 capacity;
        Index *index;
        ESProperty *entries() { return reinterpret_cast<ESProperty *>(this + 1); }
        const ESProperty *entries() const { return reinterpret_cast<const ESProperty *>(this + 1); }
    };
    static_assert(sizeof(Block) % alignof(ESProperty) == 0, "entries follow the header");

    void grow(quint32 capacity);
    void buildIndex();

    Block *block = nullptr;
};

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
