#include "builtins/nativearray.h"

#include "builtins/builtinmethod.h"
#include "engine/call.h"
#include "engine/convert.h"
#include "engine/elements.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

void ESNativeArray::put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value)
{
    // A length is converted before anything is stored, so one whose conversion fails (an object
    // whose valueOf throws) leaves the old length rather than the object in its place.
    if (name == names::length) {
        ESClass::put(cx, object, name, numberValue(toUint32(cx, value)));
        return;
    }
    if (name->arrayIndex < 0) {
        ESClass::put(cx, object, name, value);
        return;
    }
    storeArrayElement(cx, object, quint32(name->arrayIndex), name, value);
}

namespace {

// A length may be anything up to 2^32 - 1 while only a few elements exist, so the methods
// bound their work by what is stored rather than by the length:
// - ranges up to denseLimit are visited index by index;
// - longer ranges visit only the indexes stored on the object or its prototypes, which gives
//   the same result because a missing element reads as Undefined;
// - text results stop at textLengthLimit characters, sort at sortLimit elements, and shift at
//   shiftLimit elements it would have to create; beyond those a RangeError says so.
constexpr quint32 denseLimit = 1u << 16;
constexpr quint32 sortLimit = 1u << 18;
constexpr quint32 shiftLimit = 1u << 20;

void setLength(ESContext *cx, ESObject *object, double length)
{
    putProperty(cx, object, names::length, numberValue(length));
}

// Undefined is never stored: moving it leaves the position absent.
void putOrDelete(ESContext *cx, ESObject *object, quint32 index, const ESValue &value)
{
    if (value.isUndefined())
        deleteElement(cx, object, index);
    else
        putElement(cx, object, index, value);
}

// push may write past the last index name; such names are ordinary properties.
void putAtPosition(ESContext *cx, ESObject *object, quint64 position, const ESValue &value)
{
    if (position <= 0xFFFFFFFFu)
        putElement(cx, object, quint32(position), value);
    else
        putProperty(cx, object, intern(QString::number(position)), value);
}

// Calls visit with each index in [from, to) that a method must look at when a missing element
// counts as Undefined, ascending. Skipping the others is only sound when every object on the
// prototype chain answers lookups from its own properties, as plain objects and arrays do; the
// stored indexes of a long range are all found before the first visit.
template <typename Visit>
void visitIndexes(ESContext *cx, ESObject *object, quint32 from, quint32 to, const char *label,
        Visit visit)
{
    if (to <= from)
        return;
    if (to - from <= denseLimit) {
        for (quint32 i = from; i < to; ++i)
            visit(i);
        return;
    }
    std::vector<quint32> indexes;
    if (!storedIndexes(cx, object, from, to, indexes))
        throwRangeError(cx,
                QStringLiteral("%1: length %2 is too large for this object")
                        .arg(QLatin1StringView(label))
                        .arg(to));
    for (const quint32 i : indexes)
        visit(i);
}

// True when every index below end is an element of the array's run, so reading them needs
// neither an entry search nor the prototypes.
bool elementsReach(ESContext *cx, ESObject *object, quint32 end)
{
    return object->objectClass == cx->arrayClass && end <= object->properties.elementCount();
}

// The objects whose text toString or join is making. An array that holds itself would otherwise
// convert itself again and again until the stack runs out; met again inside its own text, it
// gives the empty text.
class ESTextInProgress
{
public:
    explicit ESTextInProgress(ESObject *object)
        : nested(std::find(objects.begin(), objects.end(), object) != objects.end())
    {
        if (!nested)
            objects.push_back(object);
    }
    ESTextInProgress(const ESTextInProgress &) = delete;
    ESTextInProgress &operator=(const ESTextInProgress &) = delete;
    ~ESTextInProgress()
    {
        if (!nested)
            objects.pop_back();
    }
    const bool nested;

private:
    static inline std::vector<ESObject *> objects;
};

// Array(len) with one Number only sets the length; any other arguments become the elements.
ESValue constructArray(ESContext *cx, ESObject *, int count, ESValue *arguments)
{
    if (count == 1 && arguments[0].isNumber()) {
        const quint32 length = toUint32(cx, arguments[0]);
        if (double(length) != arguments[0].asNumber())
            throwRangeError(cx, QStringLiteral("bad length in array constructor"));
        ESObject *array = makeArray(cx, 0, nullptr);
        setLength(cx, array, length);
        return objectValue(array);
    }
    return objectValue(makeArray(cx, count, arguments));
}

// Unlike join, every element takes its place: null gives the empty text and undefined (or a
// missing element) the text "undefined".
ESValue arrayToString(ESContext *cx, ESObject *self, int, ESValue *)
{
    static const char label[] = "Array.prototype.toString";
    if (self->objectClass != cx->arrayClass)
        throwTypeError(cx, QStringLiteral("Array.prototype.toString requires an array"));
    const ESTextInProgress inProgress(self);
    if (inProgress.nested)
        return nameValue(intern(QString()));
    const quint32 length = lengthOf(cx, self);
    QString text;
    // Each missing element adds "undefined" and its separator; they are counted before any
    // is written, so a huge sparse length fails at once.
    auto appendMissing = [&](quint32 from, quint32 to) {
        const qint64 missing = qint64(to) - from;
        if (missing <= 0)
            return;
        refuseLongText(cx, text.size() + missing * 10, label);
        for (quint32 i = from; i < to; ++i)
            text += i == 0 ? QStringLiteral("undefined") : QStringLiteral(",undefined");
    };
    quint32 next = 0;
    visitIndexes(cx, self, 0, length, label, [&](quint32 i) {
        appendMissing(next, i);
        const ESValue value = getElement(cx, self, i);
        const QString piece = value.isNull() ? QString() : toString(cx, value);
        refuseLongText(cx, text.size() + piece.size() + 1, label);
        if (i != 0)
            text += u',';
        text += piece;
        next = i + 1;
    });
    appendMissing(next, length);
    return stringValue(text);
}

// Undefined, null and missing elements add nothing, not even their separator.
ESValue arrayJoin(ESContext *cx, ESObject *self, int, ESValue *arguments)
{
    static const char label[] = "Array.prototype.join";
    const QString separator =
            arguments[0].isUndefined() ? QStringLiteral(",") : toString(cx, arguments[0]);
    const ESTextInProgress inProgress(self);
    if (inProgress.nested)
        return nameValue(intern(QString()));
    const quint32 length = lengthOf(cx, self);
    QString text;
    visitIndexes(cx, self, 0, length, label, [&](quint32 i) {
        const ESValue value = getElement(cx, self, i);
        if (value.isUndefined() || value.isNull())
            return;
        const QString piece = toString(cx, value);
        refuseLongText(cx, qint64(text.size()) + separator.size() + piece.size(), label);
        if (i != 0)
            text += separator;
        text += piece;
    });
    return stringValue(text);
}

// Arrays are spread with their Undefined elements left out, closing the gaps; every other
// item, objects included, becomes one element.
// Arrays whose elements run to their length are copied from the run straight onto the end of
// the result, which nothing else can see yet; the result then gets its room once, up front.
ESValue arrayConcat(ESContext *cx, ESObject *self, int count, ESValue *arguments)
{
    ESObject *result = makeArray(cx, 0, nullptr);
    auto itemAt = [&](int item) { return item < 0 ? objectValue(self) : arguments[item]; };
    quint64 room = 0;
    for (int item = -1; item < count && room != quint64(-1); ++item) {
        const ESValue value = itemAt(item);
        if (!isArray(cx, value)) {
            ++room;
            continue;
        }
        const quint32 length = lengthOf(cx, value.asObject());
        room = elementsReach(cx, value.asObject(), length) ? room + length : quint64(-1);
    }
    if (room > 0 && room < 2147483647u)
        result->properties.reserveElements(quint32(room));

    quint64 next = 0;
    auto append = [&](const ESValue &value) { putAtPosition(cx, result, next++, value); };
    for (int item = -1; item < count; ++item) {
        const ESValue value = itemAt(item);
        if (!isArray(cx, value)) {
            append(value);
            continue;
        }
        ESObject *array = value.asObject();
        const quint32 length = lengthOf(cx, array);
        if (elementsReach(cx, array, length) && next + length < 2147483647u) {
            for (const ESValue &e : array->properties.elementRun().first(length)) {
                if (!e.isUndefined())
                    result->properties.appendElement(e);
            }
            next = result->properties.elementCount();
            setDenseLength(result, quint32(next));
            continue;
        }
        visitIndexes(cx, array, 0, length, "Array.prototype.concat", [&](quint32 i) {
            const ESValue e = getElement(cx, array, i);
            if (!e.isUndefined())
                append(e);
        });
    }
    return objectValue(result);
}

ESValue arrayPop(ESContext *cx, ESObject *self, int, ESValue *)
{
    if (const qint64 dense = denseLength(cx, self); dense > 0) {
        ESPropertyVector &own = self->properties;
        const ESValue last = *own.element(dense - 1);
        own.popElement();
        setDenseLength(self, quint32(dense - 1));
        return last;
    }
    const quint32 length = lengthOf(cx, self);
    if (length == 0) {
        setLength(cx, self, 0);
        return undefinedValue();
    }
    const ESValue last = getElement(cx, self, length - 1);
    deleteElement(cx, self, length - 1);
    setLength(cx, self, length - 1);
    return last;
}

// Appending to an array whose elements run to its length extends the run, unless an entry
// already holds one of the indexes (left there by a length made shorter).
bool canAppendElements(ESObject *array, qint64 length, int count)
{
    if (length < 0 || length + count >= 2147483647)
        return false;
    for (int i = 0; i < count; ++i) {
        if (array->properties.findIndexEntry(quint32(length + i)) >= 0)
            return false;
    }
    return true;
}

ESValue arrayPush(ESContext *cx, ESObject *self, int count, ESValue *arguments)
{
    if (const qint64 dense = denseLength(cx, self); canAppendElements(self, dense, count)) {
        for (int i = 0; i < count; ++i)
            self->properties.appendElement(arguments[i]);
        setDenseLength(self, quint32(dense + count));
        return numberValue(double(dense + count));
    }
    const quint32 length = lengthOf(cx, self);
    for (int i = 0; i < count; ++i)
        putAtPosition(cx, self, quint64(length) + i, arguments[i]);
    return numberValue(double(length) + count);
}

// Only pairs with at least one stored element change anything: two missing elements swap into
// two missing elements.
ESValue arrayReverse(ESContext *cx, ESObject *self, int, ESValue *)
{
    const quint32 length = lengthOf(cx, self);
    if (length < 2)
        return objectValue(self);
    // Stored Undefined values would be deleted rather than moved, so only runs without one are
    // reversed in place.
    if (elementsReach(cx, self, length)) {
        const std::span<ESValue> run = self->properties.elementRun().first(length);
        if (std::none_of(run.begin(), run.end(), [](const ESValue &e) { return e.isUndefined(); })) {
            std::reverse(run.begin(), run.end());
            return objectValue(self);
        }
    }
    const quint32 half = length / 2;
    std::vector<quint32> lows;
    visitIndexes(cx, self, 0, length, "Array.prototype.reverse", [&](quint32 i) {
        const quint32 mirror = length - 1 - i;
        if (i < half)
            lows.push_back(i);
        else if (mirror < half)
            lows.push_back(mirror);
    });
    std::sort(lows.begin(), lows.end());
    lows.erase(std::unique(lows.begin(), lows.end()), lows.end());
    for (const quint32 i : lows) {
        const ESValue low = getElement(cx, self, i);
        const ESValue high = getElement(cx, self, length - 1 - i);
        putOrDelete(cx, self, i, high);
        putOrDelete(cx, self, length - 1 - i, low);
    }
    return objectValue(self);
}

// shift stores every position below the new length, Undefined included, so a sparse array
// gains one property per missing element; that many new properties are refused up front.
ESValue arrayShift(ESContext *cx, ESObject *self, int, ESValue *)
{
    if (const qint64 dense = denseLength(cx, self); dense > 0) {
        ESPropertyVector &own = self->properties;
        const ESValue first = *own.element(0);
        own.removeFirstElement();
        setDenseLength(self, quint32(dense - 1));
        return first;
    }
    const quint32 length = lengthOf(cx, self);
    if (length == 0) {
        setLength(cx, self, 0);
        return undefinedValue();
    }
    quint32 stored = std::min(self->properties.elementCount(), length - 1);
    for (const ESProperty &property : self->properties) {
        if (property.name && property.name->arrayIndex >= 0
                && property.name->arrayIndex < qint64(length) - 1)
            ++stored;
    }
    if (length - 1 - stored > shiftLimit)
        throwRangeError(cx,
                QStringLiteral("Array.prototype.shift: length %1 is too large for a sparse array")
                        .arg(length));
    const ESValue first = getElement(cx, self, 0);
    for (quint32 k = 1; k < length; ++k)
        putElement(cx, self, k - 1, getElement(cx, self, k));
    deleteElement(cx, self, length - 1);
    setLength(cx, self, length - 1);
    return first;
}

// A negative position counts from the end; both ends are clamped to [0, length].
quint32 slicePosition(qint32 position, quint32 length)
{
    if (position < 0)
        return quint32(std::max<qint64>(qint64(position) + length, 0));
    return std::min<quint32>(quint32(position), length);
}

ESValue arraySlice(ESContext *cx, ESObject *self, int, ESValue *arguments)
{
    const qint32 from = toInt32(cx, arguments[0]);
    const quint32 length = lengthOf(cx, self);
    const quint32 start = slicePosition(from, length);
    const quint32 end =
            arguments[1].isUndefined() ? length : slicePosition(toInt32(cx, arguments[1]), length);
    ESObject *result = makeArray(cx, 0, nullptr);
    if (end <= start)
        return objectValue(result);
    // The second position's conversion may have run script, so the run is asked about only now.
    if (elementsReach(cx, self, end)) {
        ESPropertyVector &copy = result->properties;
        copy.reserveElements(end - start);
        for (const ESValue &value : self->properties.elementRun().subspan(start, end - start))
            copy.appendElement(value);
        setDenseLength(result, end - start);
        return objectValue(result);
    }
    visitIndexes(cx, self, start, end, "Array.prototype.slice", [&](quint32 k) {
        ESValue value;
        if (readElement(cx, self, k, value))
            putElement(cx, result, k - start, value);
    });
    return objectValue(result);
}

// Only script functions compare: a built-in has no code unit to run.
bool isScriptFunction(const ESValue &value)
{
    if (!value.isObject())
        return false;
    const ESObject *function = value.asObject();
    return function->nativeIndex < 0 && function->code && function->code->unit;
}

// The result of compare(key, cur); only a positive answer moves cur before key, so NaN never
// moves anything.
// pair holds the key and the element it is compared with, in the comparator's argument order.
double compareElements(ESContext *cx, ESRepeatedCall *comparator, const ESValue *pair)
{
    if (comparator) {
        ESValue result;
        comparator->call(pair, result);
        return result.isNumber() ? result.asNumber() : toNumber(cx, result);
    }
    const QString a = toString(cx, pair[0]);
    const QString b = toString(cx, pair[1]);
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The elements as the sort reads and stores them. While the array's elements run to its length
// they are used in place; a comparison may run script that changes the array, so that is asked
// again after each one, and after a store that took the long way.
class ESSortedElements
{
public:
    ESSortedElements(ESContext *cx, ESObject *array) : cx(cx), array(array) { refresh(); }

    ESValue get(quint32 index) const
    {
        if (index < denseCount)
            return *array->properties.element(index);
        return getElement(cx, array, index);
    }
    void put(quint32 index, const ESValue &value)
    {
        if (index < denseCount && !value.isUndefined()) {
            *array->properties.element(index) = value;
            return;
        }
        putOrDelete(cx, array, index, value);
        refresh();
    }
    void refresh()
    {
        const qint64 length = denseLength(cx, array);
        denseCount = length < 0 ? 0 : quint32(length);
    }

private:
    ESContext *cx;
    ESObject *array;
    quint32 denseCount = 0;
};

// A shell sort in place whose gaps run (len + 3) / 5, then (g + 1) / 3 down to 1. Undefined
// and missing elements move to the end, where putOrDelete leaves them absent.
ESValue arraySort(ESContext *cx, ESObject *self, int, ESValue *arguments)
{
    const quint32 length = lengthOf(cx, self);
    ESObject *comparator = nullptr;
    if (!arguments[0].isUndefined()) {
        if (!isScriptFunction(arguments[0]))
            throwPlainError(cx, QStringLiteral("Array.prototype.sort argument is not a function"));
        comparator = arguments[0].asObject();
    }
    quint64 gap = (quint64(length) + 3) / 5;
    if (gap < 1)
        return objectValue(self);
    if (length > sortLimit)
        throwRangeError(cx,
                QStringLiteral("Array.prototype.sort: length %1 is above the limit of %2")
                        .arg(length)
                        .arg(sortLimit));
    ESSortedElements elements(cx, self);
    std::optional<ESRepeatedCall> comparison;
    if (comparator)
        comparison.emplace(cx, comparator, self, 2);
    // The key and the element it is compared with side by side, as the comparator is given them.
    ESValue pair[2];
    const ESValue &key = pair[0];
    const ESValue &cur = pair[1];
    for (; gap > 0; gap = (gap + 1) / 3) {
        for (qint64 i = qint64(length) - qint64(gap) - 1; i >= 0; --i) {
            pair[0] = elements.get(quint32(i));
            quint64 last = 0;
            bool moved = false;
            for (quint64 j = quint64(i) + gap; j < length; j += gap) {
                pair[1] = elements.get(quint32(j));
                bool curMoves = !cur.isUndefined();
                if (curMoves && !key.isUndefined()) {
                    curMoves = compareElements(cx, comparison ? &*comparison : nullptr, pair) > 0;
                    elements.refresh();
                }
                if (!curMoves)
                    break;
                elements.put(quint32(j - gap), cur);
                last = j;
                moved = true;
            }
            if (moved)
                elements.put(quint32(last), key);
        }
    }
    return objectValue(self);
}

// Function objects carry these native indexes: rows may be appended, never renumbered.
// clang-format off
const ESBuiltinMethod arrayMethods[] = {
    { { "Array",          "Array",                          0,  0, 1, nullptr }, constructArray },
    { { "toString",       "Array.prototype.toString",       0,  2, 0, nullptr }, arrayToString },
    { { "toLocaleString", "Array.prototype.toLocaleString", 0,  3, 0, nullptr }, arrayToString },
    { { "concat",         "Array.prototype.concat",         0,  4, 0, nullptr }, arrayConcat },
    { { "join",           "Array.prototype.join",           1,  5, 0, nullptr }, arrayJoin },
    { { "pop",            "Array.prototype.pop",            0,  6, 0, nullptr }, arrayPop },
    { { "push",           "Array.prototype.push",           0,  7, 0, nullptr }, arrayPush },
    { { "reverse",        "Array.prototype.reverse",        0,  8, 0, nullptr }, arrayReverse },
    { { "shift",          "Array.prototype.shift",          0,  9, 0, nullptr }, arrayShift },
    { { "slice",          "Array.prototype.slice",          2, 10, 0, nullptr }, arraySlice },
    { { "sort",           "Array.prototype.sort",           1, 11, 0, nullptr }, arraySort },
};
// clang-format on

} // namespace

void ESNativeArray::setUp(ESContext *cx)
{
    defineProperty(cx, cx->arrayPrototype, DontEnum | DontDelete, names::length, numberValue(0));
    for (const ESBuiltinMethod &method : arrayMethods)
        publishBuiltin(cx, method.row, cx->arrayPrototype, cx->arrayPrototype, this);
}

void ESNativeArray::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, arrayMethods, function, thisObject, count, arguments);
}

// new Array(...) and Array(...) are the same.
ESObject *ESNativeArray::construct(ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    return constructArray(cx, function, count, arguments).asObject();
}
