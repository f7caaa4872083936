#include "host/localetext.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <clocale>
#include <langinfo.h>
#include <optional>
#include <string>

namespace {

// The locale's character set, asked for once. The program otherwise runs in the C locale
// (number formatting must not follow the user's), so the character-type category is switched
// only for the question and put back.
const std::string &localeCharacterSet()
{
    static const std::string name = [] {
        const char *current = setlocale(LC_CTYPE, nullptr);
        const std::string previous = current ? current : "C";
        std::string set;
        if (setlocale(LC_CTYPE, ""))
            set = nl_langinfo(CODESET);
        setlocale(LC_CTYPE, previous.c_str());
        return set;
    }();
    return name;
}

// Null for the byte-for-byte mapping.
std::optional<QByteArray> converterName()
{
    const std::string &set = localeCharacterSet();
    if (set == "UTF-8")
        return QByteArray("UTF-8");
    if (set.empty() || set == "ANSI_X3.4-1968" || set == "ISO-8859-1")
        return std::nullopt;
    return QByteArray(set.c_str());
}

} // namespace

QString decodeLocaleText(const QByteArray &bytes)
{
    if (const std::optional<QByteArray> name = converterName()) {
        // An initial byte-order mark stays part of the text, so it is written back.
        QStringDecoder decoder(name->constData(), QStringConverter::Flag::ConvertInitialBom);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

QByteArray encodeLocaleText(const QString &text)
{
    if (const std::optional<QByteArray> name = converterName()) {
        QStringEncoder encoder(name->constData());
        if (encoder.isValid())
            return encoder.encode(text);
    }
    return text.toLatin1();
}
