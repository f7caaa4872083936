#include "builtins/nativestring.h"

#include "builtins/builtinmethod.h"
#include "engine/convert.h"
#include "engine/elements.h"
#include "engine/stringreceiver.h"

#include <algorithm>

namespace {

// Every method works on the text of its this value, so it applies to any object. A String
// object whose toString is still the built-in one converts to its own text, so that text is
// taken without calling toString through defaultValue.
QString thisText(ESContext *cx, ESObject *thisObject)
{
    // Every method reads its text before it converts an argument, so no script has run since
    // the wrapper's toString was checked.
    if (thisObject == cx->checkedStringThis) {
        cx->checkedStringThis = nullptr;
        return thisObject->internalValue.text();
    }
    if (thisObject->objectClass == cx->stringClass && thisObject->internalValue.isString()
            && convertsByBuiltinToString(cx, thisObject))
        return thisObject->internalValue.text();
    return toString(cx, objectValue(thisObject), 10);
}

// A position argument as a 32-bit integer: infinities and huge values saturate, so a caller
// may clamp them to the text without overflow.
qint64 clampedPosition(ESContext *cx, const ESValue &argument)
{
    const double position = toInteger(cx, argument);
    return qint64(std::clamp(position, -2147483648.0, 2147483647.0));
}

// A slice bound: negative positions count back from the end of the text.
qsizetype sliceBound(qint64 position, qsizetype length)
{
    if (position < 0)
        return qsizetype(std::max<qint64>(position + length, 0));
    return qsizetype(std::min<qint64>(position, length));
}

ESValue callString(ESContext *cx, ESObject *, int, ESValue *arguments)
{
    return stringValue(toString(cx, arguments[0], 10));
}

ESValue fromCharCode(ESContext *cx, ESObject *, int count, ESValue *arguments)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text.append(QChar(toUint16(cx, arguments[i])));
    return stringValue(text);
}

ESValue stringToString(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    if (!isStringObject(cx, objectValue(thisObject)))
        throwTypeError(cx, QStringLiteral("String.prototype.toString called on non-String object"));
    return thisObject->internalValue;
}

ESValue stringValueOf(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    if (!isStringObject(cx, objectValue(thisObject)))
        throwTypeError(cx, QStringLiteral("String.prototype.valueOf called on non-String object"));
    return thisObject->internalValue;
}

ESValue charAt(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const double position = toInteger(cx, arguments[0]);
    return position >= 0 && position < text.size()
            ? nameValue(nameForCharacter(text.at(qsizetype(position)).unicode()))
            : nameValue(names::empty);
}

ESValue charCodeAt(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const double position = toInteger(cx, arguments[0]);
    return position >= 0 && position < text.size()
            ? numberValue(text.at(qsizetype(position)).unicode())
            : numberValue(esNaN);
}

ESValue concat(ESContext *cx, ESObject *thisObject, int count, ESValue *arguments)
{
    QString text = thisText(cx, thisObject);
    for (int i = 0; i < count; ++i) {
        const QString piece = toString(cx, arguments[i], 10);
        refuseLongText(cx, qint64(text.size()) + piece.size(), "String.prototype.concat");
        text += piece;
    }
    return stringValue(text);
}

// The first occurrence at or after start; a start past the end finds nothing, not even the
// empty text.
qsizetype findForward(const QString &text, const QString &search, qint64 start)
{
    if (start > text.size() || search.size() > text.size() - start)
        return -1;
    return text.indexOf(search, qsizetype(start), Qt::CaseSensitive);
}

// The last occurrence that starts at or before from; Qt's search keeps long texts linear.
qsizetype findBackward(const QString &text, const QString &search, qint64 from)
{
    const qint64 last = std::min<qint64>(from, text.size() - search.size());
    if (last < 0)
        return -1;
    return text.lastIndexOf(search, qsizetype(last), Qt::CaseSensitive);
}

ESValue indexOf(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString search = toString(cx, arguments[0], 10);
    const qint64 start =
            arguments[1].isUndefined() ? 0 : std::max<qint64>(clampedPosition(cx, arguments[1]), 0);
    return numberValue(double(findForward(text, search, start)));
}

ESValue lastIndexOf(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString search = toString(cx, arguments[0], 10);
    const qint64 from = arguments[1].isUndefined()
            ? text.size()
            : std::max<qint64>(clampedPosition(cx, arguments[1]), 0);
    return numberValue(double(findBackward(text, search, from)));
}

ESValue localeCompare(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString that = toString(cx, arguments[0], 10);
    return numberValue(QString::localeAwareCompare(text, that));
}

// Without regular expressions the pattern is plain text: match answers an array holding the
// first occurrence, or null.
ESValue match(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString pattern = toString(cx, arguments[0], 10);
    if (findForward(text, pattern, 0) < 0) {
        return nullValue();
    }
    const ESValue found = stringValue(pattern);
    return objectValue(makeArray(cx, 1, &found));
}

// The first occurrence of the plain-text pattern is replaced; the replacement is taken as text.
ESValue replace(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    QString text = thisText(cx, thisObject);
    const QString pattern = toString(cx, arguments[0], 10);
    const QString replacement = toString(cx, arguments[1], 10);
    const qsizetype at = findForward(text, pattern, 0);
    if (at >= 0)
        text.replace(at, pattern.size(), replacement);
    return stringValue(text);
}

ESValue search(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString pattern = toString(cx, arguments[0], 10);
    return numberValue(double(findForward(text, pattern, 0)));
}

ESValue slice(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const qsizetype start = sliceBound(clampedPosition(cx, arguments[0]), text.size());
    const qsizetype end = arguments[1].isUndefined()
            ? text.size()
            : sliceBound(clampedPosition(cx, arguments[1]), text.size());
    return stringValue(end > start ? text.mid(start, end - start) : QString());
}

// Empty pieces are dropped, so separators at the ends or side by side leave no holes.
ESValue split(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const QString separator = toString(cx, arguments[0], 10);
    ESObject *array = newObject(cx, cx->arrayPrototype, cx->arrayClass);
    if (!separator.isEmpty()) {
        quint32 index = 0;
        for (const QString &piece : text.split(separator, Qt::SkipEmptyParts, Qt::CaseSensitive))
            putElement(cx, array, index++, stringValue(piece));
    }
    return objectValue(array);
}

ESValue substring(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const QString text = thisText(cx, thisObject);
    const qint64 length = text.size();
    const qint64 a = std::clamp<qint64>(clampedPosition(cx, arguments[0]), 0, length);
    const qint64 b = arguments[1].isUndefined()
            ? length
            : std::clamp<qint64>(clampedPosition(cx, arguments[1]), 0, length);
    return stringValue(text.mid(std::min(a, b), std::abs(b - a)));
}

ESValue toLowerCase(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    return stringValue(thisText(cx, thisObject).toLower());
}

ESValue toUpperCase(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    return stringValue(thisText(cx, thisObject).toUpper());
}

ESValue trim(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    return stringValue(thisText(cx, thisObject).simplified());
}

// clang-format off
// Function objects carry these native indexes: append rows only.
const ESBuiltinMethod methods[] = {
    { { "String",            "String",                             1,  0, 1, nullptr }, callString },
    { { "fromCharCode",      "String.fromCharCode",                0,  1, 0, nullptr }, fromCharCode },
    { { "toString",          "String.prototype.toString",          0,  2, 0, nullptr }, stringToString },
    { { "valueOf",           "String.prototype.valueOf",           0,  3, 0, nullptr }, stringValueOf },
    { { "charAt",            "String.prototype.charAt",            1,  4, 0, nullptr }, charAt },
    { { "charCodeAt",        "String.prototype.charCodeAt",        1,  5, 0, nullptr }, charCodeAt },
    { { "concat",            "String.prototype.concat",            0,  6, 0, nullptr }, concat },
    { { "indexOf",           "String.prototype.indexOf",           2,  7, 0, nullptr }, indexOf },
    { { "lastIndexOf",       "String.prototype.lastIndexOf",       2,  8, 0, nullptr }, lastIndexOf },
    { { "localeCompare",     "String.prototype.localeCompare",     1,  9, 0, nullptr }, localeCompare },
    { { "match",             "String.prototype.match",             1, 10, 0, nullptr }, match },
    { { "replace",           "String.prototype.replace",           2, 11, 0, nullptr }, replace },
    { { "search",            "String.prototype.search",            1, 12, 0, nullptr }, search },
    { { "slice",             "String.prototype.slice",             2, 13, 0, nullptr }, slice },
    { { "split",             "String.prototype.split",             2, 14, 0, nullptr }, split },
    { { "substring",         "String.prototype.substring",         2, 15, 0, nullptr }, substring },
    { { "toLowerCase",       "String.prototype.toLowerCase",       0, 16, 0, nullptr }, toLowerCase },
    { { "toLocaleLowerCase", "String.prototype.toLocaleLowerCase", 0, 17, 0, nullptr }, toLowerCase },
    { { "toUpperCase",       "String.prototype.toUpperCase",       0, 18, 0, nullptr }, toUpperCase },
    { { "toLocaleUpperCase", "String.prototype.toLocaleUpperCase", 0, 19, 0, nullptr }, toUpperCase },
    { { "trim",              "String.prototype.trim",              0, 20, 0, nullptr }, trim },
};
// clang-format on

} // namespace

// The constructor and the methods belong to this class too, but their "length" is the declared
// argument count stored on them, not the length of their label.
ESValue ESNativeString::get(ESContext *cx, ESObject *object, ESName *name)
{
    if (name == names::length && !object->isCallable()) {
        const ESValue &text = object->internalValue;
        return numberValue(text.isString() ? double(text.textLength()) : 0);
    }
    return ESClass::get(cx, object, name);
}

// The length follows the text, so storing it is ignored rather than refused.
void ESNativeString::put(ESContext *cx, ESObject *object, ESName *name, const ESValue &value)
{
    if (name != names::length || object->isCallable())
        ESClass::put(cx, object, name, value);
}

void ESNativeString::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, methods, function, thisObject, count, arguments);
}

ESObject *ESNativeString::construct(
        ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    const QString text = toString(cx, argumentAt(count, arguments, 0), 10);
    return wrapPrimitive(cx, stringValue(text)).asObject();
}

void ESNativeString::setUp(ESContext *cx)
{
    cx->stringPrototype->internalValue = stringValue(QString());
    ESObject *constructor = newConstructor(cx, methods[0].row.entry(), cx->stringPrototype, this);
    newNativeFunction(cx, constructor, methods[1].row.entry(), cx->functionPrototype, this);
    for (std::size_t i = 2; i < std::size(methods); ++i) {
        ESObject *method = newNativeFunction(
                cx, cx->stringPrototype, methods[i].row.entry(), cx->functionPrototype, this);
        if (methods[i].handler == stringToString)
            cx->stringToString = method;
    }
}
