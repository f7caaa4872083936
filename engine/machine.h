#pragma once

#include "engine/context.h"
#include "engine/exceptions.h"

#include <new>

// The value stack of the machine. tos lives in a register of the context; pushing stores it on
// the memory stack. Every push is checked, so no code unit can write past the 1024 entries.
// These run for nearly every instruction, so they are forced inline and their failures are
// out-of-line calls.

// Moves source into target, which is a different value: target's old value is released and
// source left Undefined, without the test for assigning a value to itself.
[[gnu::always_inline]] inline void moveInto(ESValue &target, ESValue &source)
{
    target.~ESValue();
    new (&target) ESValue(std::move(source));
}

[[noreturn]] void stackTooSmall();
[[noreturn]] void stackUnderflow();

[[gnu::always_inline]] inline void push(ESContext *cx)
{
    if (cx->sp >= cx->stackCapacity) [[unlikely]]
        stackTooSmall();
    ESValue &slot = cx->stack[cx->sp++];
    slot.~ESValue();
    new (&slot) ESValue(cx->tos);
}

// tos is replaced at once, so its value moves to the stack instead of being copied.
[[gnu::always_inline]] inline void push(ESContext *cx, ESValue value)
{
    if (cx->sp >= cx->stackCapacity) [[unlikely]]
        stackTooSmall();
    moveInto(cx->stack[cx->sp++], cx->tos);
    moveInto(cx->tos, value);
}

[[gnu::always_inline]] inline void pop(ESContext *cx)
{
    if (cx->sp <= 0) [[unlikely]]
        stackUnderflow();
    moveInto(cx->tos, cx->stack[--cx->sp]);
}

// The entry below tos, taken off the stack (the left operand of a binary instruction, the
// object of a property instruction).
[[gnu::always_inline]] inline ESValue take(ESContext *cx)
{
    if (cx->sp <= 0) [[unlikely]]
        stackUnderflow();
    return std::move(cx->stack[--cx->sp]);
}

// The entry below tos, left on the stack.
[[gnu::always_inline]] inline ESValue &below(ESContext *cx)
{
    if (cx->sp <= 0) [[unlikely]]
        stackUnderflow();
    return cx->stack[cx->sp - 1];
}
