#pragma once

#include <QString>

// The text of a number: integral values exactly in the given radix (other radices write the
// unsigned 64-bit pattern), fractions with six significant digits whatever the radix.
QString numberToText(double number, int radix = 10);

// The number a script text denotes: trimmed, "0x"/"0X" hexadecimal, otherwise decimal with an
// optional exponent; NaN for empty text and for anything that does not parse whole.
double textToNumber(const QString &text);
