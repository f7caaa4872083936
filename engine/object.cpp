#include "engine/object.h"

#include "engine/context.h"

#include <algorithm>

namespace {
// Objects with more entries than this get a name index beside the vector.
constexpr int indexThreshold = 24;
} // namespace

// Open addressing on the name pointer; positions hold positions in the vector. Deleted names leave
// tombstones so that probe sequences stay intact until the next rebuild.
struct ESPropertyVector::Index
{
    static constexpr qint32 empty = -1;
    static constexpr qint32 tombstone = -2;

    std::vector<qint32> positions;
    size_t used = 0; // live entries plus tombstones
    size_t mask = 0;

    explicit Index(size_t capacity)
    {
        size_t size = 64;
        while (size < capacity * 2)
            size *= 2;
        positions.assign(size, empty);
        mask = size - 1;
    }

    // Names made one after another (the elements of an array) sit one after another in memory;
    // keeping that order in the slots keeps a loop over a large array cache-friendly.
    static size_t hash(const ESName *name)
    {
        const auto bits = quintptr(name) >> 4;
        return size_t(bits ^ (bits >> 21));
    }

    qint32 find(const std::vector<ESProperty> &entries, const ESName *name) const
    {
        for (size_t i = hash(name) & mask;; i = (i + 1) & mask) {
            const qint32 slot = positions[i];
            if (slot == empty)
                return -1;
            if (slot >= 0 && entries[slot].name == name)
                return slot;
        }
    }

    void insert(const ESName *name, qint32 position)
    {
        size_t i = hash(name) & mask;
        while (positions[i] >= 0)
            i = (i + 1) & mask;
        if (positions[i] == empty)
            ++used;
        positions[i] = position;
    }

    void remove(const std::vector<ESProperty> &entries, const ESName *name)
    {
        for (size_t i = hash(name) & mask;; i = (i + 1) & mask) {
            const qint32 slot = positions[i];
            if (slot == empty)
                return;
            if (slot >= 0 && entries[slot].name == name) {
                positions[i] = tombstone;
                return;
            }
        }
    }

    bool isCrowded() const { return used * 4 >= positions.size() * 3; }
};

ESPropertyVector::~ESPropertyVector()
{
    delete index;
}

int ESPropertyVector::findIndexed(const ESName *name) const
{
    return index->find(entries, name);
}

int ESPropertyVector::append(ESName *name, quint32 attributes, const ESValue &value)
{
    // Small objects stay small; large ones grow geometrically so that filling stays linear.
    if (entries.size() == entries.capacity())
        entries.reserve(entries.empty() ? 4 : entries.size() * 2);
    const int position = int(entries.size());
    entries.push_back(ESProperty{ name, attributes, value });
    if (index) {
        index->insert(name, position);
        if (index->isCrowded())
            buildIndex();
    } else if (position >= indexThreshold) {
        buildIndex();
    }
    return position;
}

void ESPropertyVector::clear(int position)
{
    ESProperty &entry = entries[position];
    if (index && entry.name)
        index->remove(entries, entry.name);
    entry.name = nullptr;
    entry.attributes = 0;
    entry.value = ESValue();
}

void ESPropertyVector::buildIndex()
{
    delete index;
    index = new Index(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].name)
            index->insert(entries[i].name, qint32(i));
    }
}

ESObjectPool::~ESObjectPool()
{
    for (ESObject *batch : batches)
        delete[] batch;
    for (ESCallRecord *record : callRecords)
        delete record;
}

ESObject *ESObjectPool::allocate()
{
    if (!freeList) {
        auto *batch = new ESObject[batchSize];
        batches.push_back(batch);
        for (int i = batchSize - 1; i >= 0; --i) {
            batch[i].nextFree = freeList;
            freeList = &batch[i];
            batch[i].nextRecord = allRecords;
            allRecords = &batch[i];
        }
    }
    ESObject *object = freeList;
    freeList = object->nextFree;
    object->nextFree = nullptr;
    ++allocated;
    return object;
}

ESCallRecord *ESObjectPool::newCallRecord()
{
    auto *record = new ESCallRecord;
    callRecords.push_back(record);
    return record;
}

ESObject *newObject(ESContext *cx, ESObject *prototype, ESClass *objectClass)
{
    ESObject *object = cx->pool.allocate();
    object->prototype = prototype;
    object->objectClass = objectClass;
    return object;
}

ESObject *newFunctionObject(ESContext *cx, ESObject *prototype, ESCallRecord *code,
        ESCallRecord *construct, ESClass *objectClass)
{
    ESObject *object = newObject(cx, prototype, objectClass);
    object->code = code;
    object->construct = construct;
    return object;
}

ESObject *newWrapper(ESContext *cx, ESObject *prototype, ESClass *objectClass, const ESValue &value)
{
    ESObject *object = newObject(cx, prototype, objectClass);
    object->internalValue = value;
    return object;
}

void defineProperty(
        ESContext *, ESObject *object, quint32 attributes, ESName *name, const ESValue &value)
{
    const int position = object->properties.find(name);
    if (position < 0) {
        object->properties.append(name, attributes, value);
        return;
    }
    ESProperty &entry = object->properties[position];
    entry.value = value;
    entry.attributes = attributes;
}

bool hasOwnProperty(const ESObject *object, const ESName *name)
{
    return object->properties.find(name) >= 0;
}

bool hasProperty(const ESObject *object, const ESName *name)
{
    for (; object; object = object->prototype) {
        if (object->properties.find(name) >= 0)
            return true;
    }
    return false;
}

bool isEnumerableOwn(const ESObject *object, const ESName *name)
{
    const int position = object->properties.find(name);
    return position >= 0 && !(object->properties[position].attributes & DontEnum);
}

bool deleteOwn(ESObject *object, const ESName *name)
{
    const int position = object->properties.find(name);
    if (position < 0)
        return true;
    if (object->properties[position].attributes & DontDelete)
        return false;
    object->properties.clear(position);
    return true;
}

bool isPrototypeOf(const ESObject *object, const ESValue &value)
{
    if (!value.isObject())
        return false;
    for (const ESObject *p = value.asObject()->prototype; p; p = p->prototype) {
        if (p == object)
            return true;
    }
    return false;
}

bool storedIndexes(ESContext *cx, const ESObject *object, quint32 from, quint32 to,
        std::vector<quint32> &indexes)
{
    indexes.clear();
    for (const ESObject *o = object; o; o = o->prototype) {
        if (o->objectClass != cx->arrayClass && o->objectClass != cx->objectClass) {
            indexes.clear();
            return false;
        }
        for (const ESProperty &property : o->properties) {
            if (property.name && property.name->arrayIndex >= from
                    && property.name->arrayIndex < to)
                indexes.push_back(quint32(property.name->arrayIndex));
        }
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return true;
}
