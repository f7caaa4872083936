#pragma once

#include "engine/value.h"

// A value as the machine loop holds tos: a kind and a word in two locals the compiler keeps in
// registers (an ESValue, whose address its methods take, would live in memory). It owns a
// reference when it holds a String. "Empty" below means it owns nothing: after its value was
// handed on, or while it holds anything but a String.
struct ESRegister
{
    ESKind kind = ESKind::Undefined;
    quint64 word = 0;

    [[gnu::always_inline]] bool isNumber() const { return kind == ESKind::Number; }
    [[gnu::always_inline]] bool isObject() const { return kind == ESKind::Object; }
    [[gnu::always_inline]] double number() const { return std::bit_cast<double>(word); }
    [[gnu::always_inline]] ESObject *object() const
    {
        return reinterpret_cast<ESObject *>(quintptr(word));
    }

    [[gnu::always_inline]] void retain() const
    {
        if (kind == ESKind::String)
            ++reinterpret_cast<ESStringCell *>(quintptr(word))->refs;
    }
    // Drops the reference it holds; it is empty after.
    [[gnu::always_inline]] void release()
    {
        if (kind == ESKind::String) [[unlikely]] {
            ESStringCell *cell = reinterpret_cast<ESStringCell *>(quintptr(word));
            if (--cell->refs == 0)
                destroyCell(cell);
        }
        kind = ESKind::Undefined;
    }

    // The following need an empty register.
    [[gnu::always_inline]] void setNumber(double n)
    {
        kind = ESKind::Number;
        word = std::bit_cast<quint64>(n);
    }
    [[gnu::always_inline]] void setBoolean(bool b) { setValue(ESValue::boolean(b)); }
    // A new reference to value.
    [[gnu::always_inline]] void copyFrom(const ESValue &value)
    {
        kind = value.kind();
        word = value.word();
        retain();
    }
    // Takes over value's reference, leaving value Undefined.
    [[gnu::always_inline]] void takeFrom(ESValue &value)
    {
        kind = value.kind();
        word = value.word();
        value.forget();
    }
    [[gnu::always_inline]] void setValue(ESValue &&value) { takeFrom(value); }

    // Hands its reference to slot, whose old value is released; the register is empty after.
    [[gnu::always_inline]] void moveInto(ESValue &slot) const { slot = ESValue::adopt(kind, word); }
    // A value with a reference of its own.
    [[gnu::always_inline]] ESValue copy() const
    {
        retain();
        return ESValue::adopt(kind, word);
    }
};
