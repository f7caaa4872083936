#pragma once

#include "engine/name.h"

#include <QString>
#include <bit>
#include <limits>

struct ESObject;

// The kind numbers are part of the value model: 6 is never a kind, only the default hint.
enum class ESKind : quint32 {
    Undefined = 0,
    Null = 1,
    Boolean = 2,
    Number = 3,
    String = 4,
    Object = 5,
    Name = 7,
};

// Hints of toPrimitive and defaultValue are kind numbers.
enum class ESHint : quint32 { Number = 3, String = 4, Default = 6 };

struct ESTextBuffer;

// Text that was not interned. A cell is shared by the values that copy it and freed with the
// last of them, so temporary strings do not pile up for the life of the process. A long
// concatenation keeps its text as the first length units of an append buffer that the next
// concatenation may extend in place (stringcell.cpp); its own text is made on first use.
struct ESStringCell
{
    quint32 refs;
    qsizetype length;
    ESTextBuffer *buffer;
    QString text;

    static void *operator new(size_t size);
    static void operator delete(void *cell);
};

// The whole text of a buffered cell, copied out of its buffer once.
const QString &flattenedText(ESStringCell *cell);
void destroyCell(ESStringCell *cell);

// A 16-byte script value: a kind and an 8-byte payload, passed by value.
class ESValue
{
public:
    ESValue() : kind_(ESKind::Undefined), bits(0) { }
    ESValue(const ESValue &other) : kind_(other.kind_), bits(other.bits) { retain(); }
    ESValue(ESValue &&other) noexcept : kind_(other.kind_), bits(other.bits)
    {
        other.kind_ = ESKind::Undefined;
        other.bits = 0;
    }
    ~ESValue() { release(); }
    ESValue &operator=(const ESValue &other)
    {
        if (this != &other) {
            other.retain();
            release();
            kind_ = other.kind_;
            bits = other.bits;
        }
        return *this;
    }
    ESValue &operator=(ESValue &&other) noexcept
    {
        if (this != &other) {
            release();
            kind_ = other.kind_;
            bits = other.bits;
            other.kind_ = ESKind::Undefined;
            other.bits = 0;
        }
        return *this;
    }

    static ESValue number(double n)
    {
        ESValue v;
        v.kind_ = ESKind::Number;
        v.bits = std::bit_cast<quint64>(n);
        return v;
    }
    static ESValue boolean(bool b)
    {
        ESValue v;
        v.kind_ = ESKind::Boolean;
        v.bits = std::bit_cast<quint64>(b ? 1.0 : 0.0);
        return v;
    }
    static ESValue null()
    {
        ESValue v;
        v.kind_ = ESKind::Null;
        return v;
    }
    static ESValue object(ESObject *o)
    {
        ESValue v;
        v.kind_ = ESKind::Object;
        v.bits = quint64(quintptr(o));
        return v;
    }
    static ESValue name(ESName *n)
    {
        ESValue v;
        v.kind_ = ESKind::Name;
        v.bits = quint64(quintptr(n));
        return v;
    }
    static ESValue string(const QString &text)
    {
        ESValue v;
        v.kind_ = ESKind::String;
        v.bits = quint64(quintptr(new ESStringCell{ 1, text.size(), nullptr, text }));
        return v;
    }
    // A value that takes over a reference to cell.
    static ESValue adoptCell(ESStringCell *cell)
    {
        ESValue v;
        v.kind_ = ESKind::String;
        v.bits = quint64(quintptr(cell));
        return v;
    }

    ESKind kind() const { return kind_; }
    // The machine loop holds tos as a kind and a word in two registers (engine/register.h);
    // these hand a reference between such a pair and a value without counting it.
    quint64 word() const { return bits; }
    static ESValue adopt(ESKind kind, quint64 word)
    {
        ESValue v;
        v.kind_ = kind;
        v.bits = word;
        return v;
    }
    // Leaves the value Undefined without releasing it, once its reference has been handed on.
    void forget()
    {
        kind_ = ESKind::Undefined;
        bits = 0;
    }
    bool isUndefined() const { return kind_ == ESKind::Undefined; }
    bool isNull() const { return kind_ == ESKind::Null; }
    bool isBoolean() const { return kind_ == ESKind::Boolean; }
    bool isNumber() const { return kind_ == ESKind::Number; }
    bool isString() const { return kind_ == ESKind::String || kind_ == ESKind::Name; }
    bool isObject() const { return kind_ == ESKind::Object; }

    // The double of a Number or Boolean.
    double asNumber() const { return std::bit_cast<double>(bits); }
    ESObject *asObject() const { return reinterpret_cast<ESObject *>(quintptr(bits)); }
    ESName *asName() const { return reinterpret_cast<ESName *>(quintptr(bits)); }
    ESStringCell *asCell() const { return reinterpret_cast<ESStringCell *>(quintptr(bits)); }
    // The text of a String or Name value; it stays valid and unchanged while the value lives.
    const QString &text() const
    {
        if (kind_ == ESKind::Name)
            return asName()->text;
        return asCell()->buffer ? flattenedText(asCell()) : asCell()->text;
    }
    // The number of UTF-16 units of a String or Name value, without making its text.
    qsizetype textLength() const
    {
        return kind_ == ESKind::Name ? asName()->text.size() : asCell()->length;
    }

private:
    void retain() const
    {
        if (kind_ == ESKind::String)
            ++asCell()->refs;
    }
    void release()
    {
        if (kind_ == ESKind::String && --asCell()->refs == 0)
            destroyCell(asCell());
    }

    ESKind kind_;
    // One word for every kind (a double's bits or a pointer), never read through another
    // type, so that the compiler can keep a value in two registers.
    quint64 bits;
};

static_assert(sizeof(ESValue) == 16, "script values are 16 bytes");

inline const double esNaN = std::numeric_limits<double>::quiet_NaN();
inline const double esInfinity = std::numeric_limits<double>::infinity();

inline ESValue undefinedValue()
{
    return ESValue();
}
inline ESValue nullValue()
{
    return ESValue::null();
}
inline ESValue numberValue(double n)
{
    return ESValue::number(n);
}
inline ESValue objectValue(ESObject *o)
{
    return ESValue::object(o);
}
inline ESValue nameValue(ESName *n)
{
    return ESValue::name(n);
}
inline ESValue stringValue(const QString &text)
{
    return ESValue::string(text);
}
inline ESValue makeBoolean(bool b)
{
    return ESValue::boolean(b);
}

inline bool isUndefined(const ESValue &v)
{
    return v.isUndefined();
}
inline bool isNull(const ESValue &v)
{
    return v.isNull();
}
inline bool isNumber(const ESValue &v)
{
    return v.isNumber();
}
inline bool isString(const ESValue &v)
{
    return v.isString();
}
inline bool isObject(const ESValue &v)
{
    return v.isObject();
}
inline bool isFiniteNumber(double n)
{
    return n - n == 0;
}

// The i-th argument of a native call, Undefined past the end.
inline ESValue argumentAt(int count, const ESValue *arguments, int i)
{
    return i < count ? arguments[i] : ESValue();
}
