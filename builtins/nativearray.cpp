#include "builtins/nativearray.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"
#include "engine/elements.h"

#include <algorithm>
#include <numeric>
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

// The indexes in [from, to) that a method must look at when a missing element counts as
// Undefined. Skipping the others is only sound when every object on the prototype chain
// answers lookups from its own properties, as plain objects and arrays do.
std::vector<quint32> indexesToVisit(
        ESContext *cx, ESObject *object, quint32 from, quint32 to, const char *label)
{
    std::vector<quint32> indexes;
    if (to <= from)
        return indexes;
    if (to - from <= denseLimit) {
        indexes.resize(to - from);
        std::iota(indexes.begin(), indexes.end(), from);
        return indexes;
    }
    if (!storedIndexes(cx, object, from, to, indexes))
        throwRangeError(cx,
                QStringLiteral("%1: length %2 is too large for this object")
                        .arg(QLatin1StringView(label))
                        .arg(to));
    return indexes;
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
    for (const quint32 i : indexesToVisit(cx, self, 0, length, label)) {
        appendMissing(next, i);
        const ESValue value = getElement(cx, self, i);
        const QString piece = value.isNull() ? QString() : toString(cx, value);
        refuseLongText(cx, text.size() + piece.size() + 1, label);
        if (i != 0)
            text += u',';
        text += piece;
        next = i + 1;
    }
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
    for (const quint32 i : indexesToVisit(cx, self, 0, length, label)) {
        const ESValue value = getElement(cx, self, i);
        if (value.isUndefined() || value.isNull())
            continue;
        const QString piece = toString(cx, value);
        refuseLongText(cx, qint64(text.size()) + separator.size() + piece.size(), label);
        if (i != 0)
            text += separator;
        text += piece;
    }
    return stringValue(text);
}

// Arrays are spread with their Undefined elements left out, closing the gaps; every other
// item, objects included, becomes one element.
ESValue arrayConcat(ESContext *cx, ESObject *self, int count, ESValue *arguments)
{
    ESObject *result = makeArray(cx, 0, nullptr);
    quint64 next = 0;
    auto append = [&](const ESValue &value) { putAtPosition(cx, result, next++, value); };
    for (int item = -1; item < count; ++item) {
        const ESValue value = item < 0 ? objectValue(self) : arguments[item];
        if (!isArray(cx, value)) {
            append(value);
            continue;
        }
        ESObject *array = value.asObject();
        const quint32 length = lengthOf(cx, array);
        for (const quint32 i : indexesToVisit(cx, array, 0, length, "Array.prototype.concat")) {
            const ESValue e = getElement(cx, array, i);
            if (!e.isUndefined())
                append(e);
        }
    }
    return objectValue(result);
}

ESValue arrayPop(ESContext *cx, ESObject *self, int, ESValue *)
{
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

ESValue arrayPush(ESContext *cx, ESObject *self, int count, ESValue *arguments)
{
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
    const quint32 half = length / 2;
    std::vector<quint32> lows;
    for (const quint32 i : indexesToVisit(cx, self, 0, length, "Array.prototype.reverse")) {
        const quint32 mirror = length - 1 - i;
        if (i < half)
            lows.push_back(i);
        else if (mirror < half)
            lows.push_back(mirror);
    }
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
    for (const quint32 k : indexesToVisit(cx, self, start, end, "Array.prototype.slice")) {
        ESValue value;
        if (readElement(cx, self, k, value))
            putElement(cx, result, k - start, value);
    }
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
double compareElements(ESContext *cx, ESObject *array, ESObject *comparator, const ESValue &key,
        const ESValue &cur)
{
    if (comparator) {
        const ESValue pair[] = { key, cur };
        ESValue result;
        invokeFunction(cx, comparator, array, 2, pair, result);
        return result.isNumber() ? result.asNumber() : toNumber(cx, result);
    }
    const QString a = toString(cx, key);
    const QString b = toString(cx, cur);
    return a < b ? -1 : (b < a ? 1 : 0);
}

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
    for (; gap > 0; gap = (gap + 1) / 3) {
        for (qint64 i = qint64(length) - qint64(gap) - 1; i >= 0; --i) {
            const ESValue key = getElement(cx, self, quint32(i));
            quint64 last = 0;
            bool moved = false;
            for (quint64 j = quint64(i) + gap; j < length; j += gap) {
                const ESValue cur = getElement(cx, self, quint32(j));
                const bool curMoves = key.isUndefined()
                        ? !cur.isUndefined()
                        : !cur.isUndefined() && compareElements(cx, self, comparator, key, cur) > 0;
                if (!curMoves)
                    break;
                putOrDelete(cx, self, quint32(j - gap), cur);
                last = j;
                moved = true;
            }
            if (moved)
                putOrDelete(cx, self, quint32(last), key);
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
