#pragma once

#include "engine/context.h"
#include "engine/exceptions.h"

// The value stack of the machine. tos lives in a register of the context; pushing stores it on
// the memory stack. Every push is checked, so no code unit can write past the 1024 entries.

[[noreturn]] void stackTooSmall();

inline void push(ESContext *cx)
{
    if (cx->sp >= cx->stackCapacity) [[unlikely]]
        stackTooSmall();
    cx->stack[cx->sp++] = cx->tos;
}

inline void push(ESContext *cx, ESValue value)
{
    push(cx);
    cx->tos = std::move(value);
}

inline void pop(ESContext *cx)
{
    if (cx->sp <= 0) [[unlikely]]
        fatalError(QStringLiteral("virtual machine stack underflow"));
    cx->tos = std::move(cx->stack[--cx->sp]);
}

// The entry below tos, taken off the stack (the left operand of a binary instruction, the
// object of a property instruction).
inline ESValue take(ESContext *cx)
{
    if (cx->sp <= 0) [[unlikely]]
        fatalError(QStringLiteral("virtual machine stack underflow"));
    return std::move(cx->stack[--cx->sp]);
}
