#include "engine/object.h"

#include "engine/context.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {
// Objects with more entries than this get a name index beside the vector.
constexpr int indexThreshold = 24;
} // namespace

// Open addressing; positions hold positions in the vector. Deleted names leave tombstones so
// that probe sequences stay intact until the next rebuild.
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

    // An element starts at the slot of its index and steps by one, so a large array's elements
    // fill the slots in order and a loop over them walks the slots in order. Other names start
    // at a slot scattered by their address and step by an odd stride of their own, which leaves
    // a long run of elements after a few steps instead of walking it to its end.
    struct Probe
    {
        size_t slot;
        size_t stride;
    };
    Probe probe(const ESName *name) const
    {
        if (name->arrayIndex >= 0)
            return { size_t(name->arrayIndex) & mask, 1 };
        const quint64 bits = (quintptr(name) >> 4) * 0x9E3779B97F4A7C15ull;
        return { size_t(bits >> 32) & mask, size_t(bits >> 8) | 1 };
    }

    // The slot holding name's position, or the empty slot that ends its probe sequence.
    size_t slotOf(const ESProperty *entries, const ESName *name) const
    {
        const Probe p = probe(name);
        for (size_t i = p.slot;; i = (i + p.stride) & mask) {
            const qint32 slot = positions[i];
            if (slot == empty || (slot >= 0 && entries[slot].name == name))
                return i;
        }
    }

    qint32 find(const ESProperty *entries, const ESName *name) const
    {
        return positions[slotOf(entries, name)];
    }

    // The entry named by index: its probe sequence is the one every index name follows.
    qint32 findIndex(const ESProperty *entries, quint32 index) const
    {
        for (size_t i = size_t(index) & mask;; i = (i + 1) & mask) {
            const qint32 slot = positions[i];
            if (slot == empty)
                return -1;
            if (slot >= 0 && entries[slot].name->arrayIndex == qint64(index))
                return slot;
        }
    }

    void insert(const ESName *name, qint32 position)
    {
        const Probe p = probe(name);
        size_t i = p.slot;
        while (positions[i] >= 0)
            i = (i + p.stride) & mask;
        if (positions[i] == empty)
            ++used;
        positions[i] = position;
    }

    void remove(const ESProperty *entries, const ESName *name)
    {
        qint32 &slot = positions[slotOf(entries, name)];
        if (slot >= 0)
            slot = tombstone;
    }

    bool isCrowded() const { return used * 4 >= positions.size() * 3; }
};

// What only some objects need: the name index of a large object and the elements of an array.
ESPropertyVector::Extension::~Extension()
{
    std::destroy_n(elements, elementCount);
    std::free(elements);
    delete index;
}

void ESPropertyVector::releaseBlock()
{
    std::destroy_n(block->entries(), block->size);
    delete block->extension;
    std::free(block);
}

int ESPropertyVector::findExtended(const ESName *name) const
{
    const Extension *x = block->extension;
    if (name->arrayIndex > x->highestEntryIndex)
        return -1;
    return x->index ? x->index->find(block->entries(), name) : scan(name);
}

int ESPropertyVector::findIndexEntry(quint32 index) const
{
    if (!block)
        return -1;
    const Extension *x = block->extension;
    if (x && qint64(index) > x->highestEntryIndex)
        return -1;
    if (x && x->index)
        return x->index->findIndex(block->entries(), index);
    const ESProperty *entry = block->entries();
    for (int i = 0; i < int(block->size); ++i) {
        if (entry[i].name && entry[i].name->arrayIndex == qint64(index))
            return i;
    }
    return -1;
}

// Entries move bit for bit, as Qt moves relocatable types: a value's payload never points into
// the value itself. A large block then moves by remapping its pages instead of being copied, so
// growing a huge array does not need the old and the new block at once.
void ESPropertyVector::grow(quint32 capacity)
{
    void *memory = std::realloc(block, sizeof(Block) + size_t(capacity) * sizeof(ESProperty));
    if (!memory)
        throw std::bad_alloc();
    auto *grown = static_cast<Block *>(memory);
    if (!block) {
        grown->size = 0;
        grown->extension = nullptr;
        grown->nameBits = 0;
    }
    grown->capacity = capacity;
    block = grown;
}

ESPropertyVector::Extension &ESPropertyVector::extension()
{
    if (!block)
        grow(2);
    if (!block->extension) {
        auto *x = new Extension;
        for (const ESProperty &entry : *this) {
            if (entry.name)
                x->highestEntryIndex = std::max(x->highestEntryIndex, entry.name->arrayIndex);
        }
        block->extension = x;
    }
    return *block->extension;
}

void ESPropertyVector::reserve(int count)
{
    if (count > 0 && quint32(count) > (block ? block->capacity : 0))
        grow(quint32(count));
}

int ESPropertyVector::append(ESName *name, quint32 attributes, const ESValue &value)
{
    // Small objects stay small (most hold one or two entries: a prototype's "constructor", a
    // function's "length" and "prototype"); large ones grow geometrically so that filling
    // stays linear.
    if (!block)
        grow(2);
    else if (block->size == block->capacity)
        grow(block->capacity * 2);
    const int position = int(block->size);
    new (block->entries() + position) ESProperty{ name, attributes, value };
    ++block->size;
    block->nameBits |= nameBit(name);
    Extension *x = block->extension;
    if (x)
        x->highestEntryIndex = std::max(x->highestEntryIndex, name->arrayIndex);
    if (Index *index = x ? x->index : nullptr) {
        index->insert(name, position);
        if (index->isCrowded())
            buildIndex();
    } else if (position >= indexThreshold) {
        buildIndex();
    }
    return position;
}

void ESPropertyVector::appendElementGrowing(const ESValue &value)
{
    Extension &x = extension();
    if (x.elementCount == x.elementCapacity)
        reserveElements(x.elementCapacity < 4 ? 4 : x.elementCapacity * 2);
    new (x.elements + x.elementCount) ESValue(value);
    ++x.elementCount;
}

// Elements move bit for bit, as entries do.
void ESPropertyVector::reserveElements(quint32 count)
{
    Extension &x = extension();
    if (count <= x.elementCapacity)
        return;
    void *memory = std::realloc(static_cast<void *>(x.elements), size_t(count) * sizeof(ESValue));
    if (!memory)
        throw std::bad_alloc();
    x.elements = static_cast<ESValue *>(memory);
    x.elementCapacity = count;
}

void ESPropertyVector::spillElements(quint32 index)
{
    const quint32 count = elementCount();
    for (quint32 i = index; i < count; ++i)
        append(nameForIndex(i), 0, block->extension->elements[i]);
    while (elementCount() > index)
        popElement();
}

void ESPropertyVector::popElement()
{
    Extension &x = *block->extension;
    --x.elementCount;
    std::destroy_at(x.elements + x.elementCount);
}

// Elements move bit for bit, as they do when the run grows.
void ESPropertyVector::removeFirstElement()
{
    Extension &x = *block->extension;
    std::destroy_at(x.elements);
    --x.elementCount;
    std::memmove(static_cast<void *>(x.elements), x.elements + 1, x.elementCount * sizeof(ESValue));
}

void ESPropertyVector::clear(int position)
{
    ESProperty &entry = block->entries()[position];
    Index *index = block->extension ? block->extension->index : nullptr;
    if (index && entry.name)
        index->remove(block->entries(), entry.name);
    entry.name = nullptr;
    entry.attributes = 0;
    entry.value = ESValue();
}

void ESPropertyVector::dropClearedTail()
{
    while (block && block->size > 0 && !block->entries()[block->size - 1].name) {
        --block->size;
        std::destroy_at(block->entries() + block->size);
    }
}

void ESPropertyVector::buildIndex()
{
    Extension &x = extension();
    delete x.index;
    x.index = new Index(block->size);
    const ESProperty *entries = block->entries();
    for (quint32 i = 0; i < block->size; ++i) {
        if (entries[i].name)
            x.index->insert(entries[i].name, qint32(i));
    }
}

ESObjectPool::~ESObjectPool()
{
    for (ESObject *batch : batches)
        delete[] batch;
    for (ESCallRecord *batch : callRecordBatches)
        delete[] batch;
}

ESObject *ESObjectPool::allocate()
{
    if (usedInBatch == batchSize) {
        batches.push_back(new ESObject[batchSize]);
        usedInBatch = 0;
    }
    ++allocated;
    return &batches.back()[usedInBatch++];
}

ESCallRecord *ESObjectPool::newCallRecord()
{
    if (callRecordsInBatch == batchSize) {
        callRecordBatches.push_back(new ESCallRecord[batchSize]);
        callRecordsInBatch = 0;
    }
    return &callRecordBatches.back()[callRecordsInBatch++];
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
    ESPropertyVector &own = object->properties;
    if (ESValue *element = own.element(name->arrayIndex)) {
        if (attributes == 0) {
            *element = value;
            return;
        }
        // Elements carry no attributes: this one and those after it become entries.
        own.spillElements(quint32(name->arrayIndex));
    }
    const int position = own.find(name);
    if (position < 0) {
        own.append(name, attributes, value);
        return;
    }
    ESProperty &entry = own[position];
    entry.value = value;
    entry.attributes = attributes;
}

bool hasOwnProperty(const ESObject *object, const ESName *name)
{
    return object->properties.element(name->arrayIndex) || object->properties.find(name) >= 0;
}

bool hasProperty(const ESObject *object, const ESName *name)
{
    for (; object; object = object->prototype) {
        if (hasOwnProperty(object, name))
            return true;
    }
    return false;
}

bool isEnumerableOwn(const ESObject *object, const ESName *name)
{
    if (object->properties.element(name->arrayIndex))
        return true;
    const int position = object->properties.find(name);
    return position >= 0 && !(object->properties[position].attributes & DontEnum);
}

bool deleteOwn(ESObject *object, const ESName *name)
{
    ESPropertyVector &own = object->properties;
    if (own.element(name->arrayIndex)) {
        // The elements after it become entries, so that no gap opens among the elements.
        own.spillElements(quint32(name->arrayIndex) + 1);
        own.popElement();
        return true;
    }
    const int position = own.find(name);
    if (position < 0)
        return true;
    if (own[position].attributes & DontDelete)
        return false;
    own.clear(position);
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
        for (quint32 i = from; i < std::min(to, o->properties.elementCount()); ++i)
            indexes.push_back(i);
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
