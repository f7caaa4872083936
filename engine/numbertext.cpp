#include "engine/numbertext.h"

#include "engine/name.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

constexpr double smallIntegerTexts = 65536;

const char digitChars[] = "0123456789abcdefghijklmnopqrstuvwxyz";

QString unsignedToText(quint64 value, int radix)
{
    char buffer[65];
    char *end = buffer + sizeof buffer;
    char *p = end;
    do {
        *--p = digitChars[value % quint64(radix)];
        value /= quint64(radix);
    } while (value);
    return QString::fromLatin1(p, end - p);
}

// True when text is a decimal literal: sign, digits, an optional point with digits, an optional
// exponent, with at least one digit before the exponent.
bool isDecimalLiteral(const QByteArray &text)
{
    const char *p = text.constData();
    if (*p == '+' || *p == '-')
        ++p;
    int digits = 0;
    while (*p >= '0' && *p <= '9')
        ++p, ++digits;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9')
            ++p, ++digits;
    }
    if (digits == 0)
        return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-')
            ++p;
        if (!(*p >= '0' && *p <= '9'))
            return false;
        while (*p >= '0' && *p <= '9')
            ++p;
    }
    return *p == '\0';
}

// Decimal conversion must not follow the user's locale, whose decimal point may be a comma.
double cLocaleStrtod(const char *text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(text, nullptr, cLocale);
}

} // namespace

QString numberToText(double number, int radix)
{
    if (std::isnan(number))
        return QStringLiteral("NaN");
    if (number == 0)
        return QStringLiteral("0");
    if (std::isinf(number))
        return number > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    constexpr double two63 = 9223372036854775808.0;
    if (number == std::floor(number)) {
        // Small counts and indexes are written over and over ("v" + i): their texts are the
        // index names', formatted once.
        if (radix == 10 && number > 0 && number < smallIntegerTexts)
            return nameForIndex(quint32(number))->text;
        if (radix == 10) {
            if (number < two63 && number >= -two63) {
                const qint64 value = qint64(number);
                return value < 0
                        ? QLatin1Char('-') + unsignedToText(quint64(0) - quint64(value), 10)
                        : unsignedToText(quint64(value), 10);
            }
        } else if (number < 2 * two63 && number >= -two63) {
            quint64 pattern;
            if (number >= two63)
                pattern = quint64(number - two63) | (quint64(1) << 63);
            else
                pattern = quint64(qint64(number));
            return unsignedToText(pattern, radix);
        }
        // Too large for 64 bits: fall through to the exponent form.
    }
    return QString::number(number, 'g', 6);
}

double textToNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nan("");
    if (trimmed.startsWith(QLatin1String("0x")) || trimmed.startsWith(QLatin1String("0X"))) {
        bool ok = false;
        const qulonglong value = trimmed.mid(2).toULongLong(&ok, 16);
        return ok ? double(value) : std::nan("");
    }
    const QByteArray latin1 = trimmed.toLatin1();
    // strtod gives overflow as infinity and underflow as zero, as a script expects.
    if (isDecimalLiteral(latin1))
        return cLocaleStrtod(latin1.constData());
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    return ok ? value : std::nan("");
}
