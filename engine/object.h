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
// from name to position keeps lookups constant-time for large arrays and tables.
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
        if (index) [[unlikely]]
            return findIndexed(name);
        const ESProperty *entry = entries.data();
        const int count = int(entries.size());
        for (int i = 0; i < count; ++i) {
            if (entry[i].name == name)
                return i;
        }
        return -1;
    }
    int append(ESName *name, quint32 attributes, const ESValue &value);
    // Clears the entry in place: no name, no attributes, Undefined.
    void clear(int position);

    int size() const { return int(entries.size()); }
    ESProperty &operator[](int position) { return entries[position]; }
    const ESProperty &operator[](int position) const { return entries[position]; }
    auto begin() const { return entries.begin(); }
    auto end() const { return entries.end(); }

private:
    struct Index;
    int findIndexed(const ESName *name) const;
    void buildIndex();

    std::vector<ESProperty> entries;
    Index *index = nullptr;
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
    ESObject *nextFree = nullptr;
    ESObject *nextRecord = nullptr;

    bool isCallable() const { return code != nullptr; }
};

// The context's objects. Records come from a free list refilled 64 at a time and are all
// released together when the pool is destroyed; there is no collection during a run.
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
    ESObject *freeList = nullptr;
    ESObject *allRecords = nullptr;
    std::vector<ESObject *> batches;
    std::vector<ESCallRecord *> callRecords;
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
