#include "host/hexrecords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <vector>

namespace {

const char hexDigits[] = "0123456789ABCDEF";

// Appends a byte as two digits and adds it to the record's running sum.
inline void putByte(QByteArray &out, unsigned byte, unsigned &sum)
{
    byte &= 0xFF;
    out += hexDigits[byte >> 4];
    out += hexDigits[byte & 0xF];
    sum += byte;
}

// ":" length, 16-bit offset, type, data, and the byte that makes the sum of all of them zero.
void intelRecord(QByteArray &out, unsigned type, unsigned offset, const unsigned char *data,
        std::size_t length)
{
    unsigned sum = 0;
    out += ':';
    putByte(out, unsigned(length), sum);
    putByte(out, offset >> 8, sum);
    putByte(out, offset, sum);
    putByte(out, type, sum);
    for (std::size_t i = 0; i < length; ++i)
        putByte(out, data[i], sum);
    unsigned ignored = 0;
    putByte(out, 0x100 - (sum & 0xFF), ignored);
    out += '\n';
}

// "S", type, the count of the bytes after it, the address, data, and the ones' complement of
// the sum of count, address and data.
void sRecord(QByteArray &out, char type, quint32 address, int addressBytes,
        const unsigned char *data, std::size_t length)
{
    unsigned sum = 0;
    out += 'S';
    out += type;
    putByte(out, unsigned(addressBytes + length + 1), sum);
    for (int i = addressBytes - 1; i >= 0; --i)
        putByte(out, address >> (8 * i), sum);
    for (std::size_t i = 0; i < length; ++i)
        putByte(out, data[i], sum);
    unsigned ignored = 0;
    putByte(out, ~sum, ignored);
    out += '\n';
}

void writeIntelHex(QByteArray &out, const unsigned char *bytes, std::size_t count, quint32 base)
{
    quint32 upper = 0;
    for (std::size_t done = 0; done < count;) {
        const quint32 address = base + quint32(done);
        if (address >> 16 != upper) {
            upper = address >> 16;
            const unsigned char linear[2] = { quint8(upper >> 8), quint8(upper) };
            intelRecord(out, 4, 0, linear, 2);
        }
        const std::size_t room = 0x10000 - (address & 0xFFFF);
        const std::size_t length = std::min({ std::size_t(16), count - done, room });
        intelRecord(out, 0, address & 0xFFFF, bytes + done, length);
        done += length;
    }
    intelRecord(out, 1, 0, nullptr, 0);
}

// S1, S2 or S3 by the highest address written, ended by the matching S9, S8 or S7.
void writeSRecords(QByteArray &out, const unsigned char *bytes, std::size_t count, quint32 base,
        quint32 start, const QByteArray &header)
{
    const quint64 last = count > 0 ? quint64(base) + count - 1 : base;
    const quint64 highest = std::max<quint64>(last, start);
    const int addressBytes = highest <= 0xFFFF ? 2 : highest <= 0xFFFFFF ? 3 : 4;
    const char dataType = char('1' + addressBytes - 2);
    const char terminator = char('9' - (addressBytes - 2));
    const QByteArray name = header.left(64);
    sRecord(out, '0', 0, 2, reinterpret_cast<const unsigned char *>(name.constData()),
            std::size_t(name.size()));
    quint64 records = 0;
    for (std::size_t done = 0; done < count; ++records) {
        const std::size_t length = std::min(std::size_t(16), count - done);
        sRecord(out, dataType, base + quint32(done), addressBytes, bytes + done, length);
        done += length;
    }
    // The count record is optional; past 24 bits there is none to hold it.
    if (records <= 0xFFFF)
        sRecord(out, '5', quint32(records), 2, nullptr, 0);
    else if (records <= 0xFFFFFF)
        sRecord(out, '6', quint32(records), 3, nullptr, 0);
    sRecord(out, terminator, start, addressBytes, nullptr, 0);
}

bool defective(HexDefect *defect, qint64 line, const QString &message)
{
    defect->line = line;
    defect->message = message;
    return false;
}

QString hex(quint64 value, int width)
{
    return QLatin1String("0x") + QString::number(value, 16).rightJustified(width, u'0').toUpper();
}

// Each character's value as a hex digit, 0xFF for a character that is not one: one lookup a
// character, since a large image is millions of them.
constexpr std::array<quint8, 256> makeDigitValues()
{
    std::array<quint8, 256> values{};
    for (int c = 0; c < 256; ++c)
        values[c] = c >= '0' && c <= '9' ? quint8(c - '0')
                : c >= 'A' && c <= 'F'   ? quint8(c - 'A' + 10)
                : c >= 'a' && c <= 'f'   ? quint8(c - 'a' + 10)
                                         : 0xFF;
    return values;
}

constexpr std::array<quint8, 256> digitValues = makeDigitValues();

inline int digitValue(char c)
{
    return digitValues[quint8(c)];
}

QString characterName(char c)
{
    const unsigned byte = quint8(c);
    if (byte >= 0x20 && byte < 0x7F)
        return QStringLiteral("'%1'").arg(QLatin1Char(c));
    return QStringLiteral("byte %1").arg(hex(byte, 2));
}

// One record's bytes, decoded from the digits after its start ("S" and the type digit for an
// S-record, ":" for Intel HEX); at most 255 bytes follow the count byte.
struct DecodedRecord
{
    unsigned char bytes[262];
    int size = 0;
};

bool decodeDigits(const char *digits, const char *end, int column, qint64 line,
        DecodedRecord *record, HexDefect *defect)
{
    const qptrdiff count = end - digits;
    for (qptrdiff i = 0; i < count; ++i) {
        if (digitValue(digits[i]) == 0xFF)
            return defective(defect, line,
                    QStringLiteral("non-hex character %1 in column %2")
                            .arg(characterName(digits[i]))
                            .arg(column + i));
    }
    if (count % 2 != 0)
        return defective(defect, line, QStringLiteral("bad record length: odd number of digits"));
    if (count / 2 > qptrdiff(sizeof record->bytes))
        return defective(defect, line, QStringLiteral("bad record length: record too long"));
    record->size = int(count / 2);
    for (int i = 0; i < record->size; ++i)
        record->bytes[i] = quint8(digitValue(digits[2 * i]) << 4 | digitValue(digits[2 * i + 1]));
    return true;
}

quint32 bigEndian(const unsigned char *bytes, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Walks the records in file order and hands every data record to visit(line, address, data,
// length), which answers false (with the defect filled) to stop. The address is 64-bit so that
// data running past 4 GiB can be told.
class RecordWalker
{
public:
    RecordWalker(const QByteArray &text, HexDefect *defect) : text(text), defect(defect) { }

    template <typename Visit> bool walk(Visit visit)
    {
        const char *p = text.constData();
        const char *end = p + text.size();
        const char *first = p;
        while (first < end && std::isspace(quint8(*first)))
            ++first;
        if (first == end)
            return defective(defect, 1, QStringLiteral("no data records"));
        if (*first != ':' && *first != 'S')
            return defective(defect, 1 + std::count(p, first, '\n'),
                    QStringLiteral("not an Intel HEX or S-record file"));
        intel = *first == ':';
        qint64 line = 0;
        qint64 lastLine = 1;
        qint64 endLine = 0;
        while (p < end) {
            ++line;
            const char *newline = static_cast<const char *>(std::memchr(p, '\n', end - p));
            const char *lineEnd = newline ? newline : end;
            const char *start = p;
            p = newline ? newline + 1 : end;
            while (lineEnd > start && std::isspace(quint8(lineEnd[-1])))
                --lineEnd;
            if (start == lineEnd)
                continue;
            lastLine = line;
            if (endLine)
                return defective(defect, line, QStringLiteral("record after the end record"));
            bool ended = false;
            countLast = false;
            const bool ok = intel ? intelLine(start, lineEnd, line, &ended, visit)
                                  : sLine(start, lineEnd, line, &ended, visit);
            if (!ok)
                return false;
            if (ended)
                endLine = line;
        }
        // srec_cat ends S-records without a start address at the count record, which still
        // tells a whole file from a cut one.
        if (!endLine && countLast)
            endLine = lastLine;
        if (!endLine)
            return defective(defect, lastLine, QStringLiteral("no end record"));
        if (!sawData)
            return defective(defect, endLine, QStringLiteral("no data records"));
        return true;
    }

private:
    bool badLength(qint64 line, const QString &why)
    {
        return defective(defect, line, QStringLiteral("bad record length: ") + why);
    }

    bool checksumMatches(qint64 line, unsigned expected, unsigned given)
    {
        if ((expected & 0xFF) == given)
            return true;
        return defective(defect, line,
                QStringLiteral("bad checksum %1 (the record's bytes give %2)")
                        .arg(hex(given, 2), hex(expected & 0xFF, 2)));
    }

    template <typename Visit>
    bool data(qint64 line, quint64 address, const unsigned char *bytes, int length, Visit &visit)
    {
        if (length == 0)
            return true;
        if (address + quint64(length) > quint64(1) << 32)
            return defective(defect, line, QStringLiteral("data runs past address 0xFFFFFFFF"));
        sawData = true;
        return visit(line, address, bytes, length);
    }

    // ":" LL AAAA TT data CC, the sum of all the bytes zero.
    template <typename Visit>
    bool intelLine(const char *start, const char *end, qint64 line, bool *ended, Visit &visit)
    {
        if (*start != ':')
            return defective(defect, line, QStringLiteral("record does not start with ':'"));
        DecodedRecord record;
        if (!decodeDigits(start + 1, end, 2, line, &record, defect))
            return false;
        const unsigned char *b = record.bytes;
        if (record.size < 5)
            return badLength(line, QStringLiteral("record too short"));
        if (b[0] + 5 != record.size)
            return badLength(line,
                    QStringLiteral("the record declares %1 data bytes but holds %2")
                            .arg(b[0])
                            .arg(record.size - 5));
        unsigned sum = 0;
        for (int i = 0; i < record.size - 1; ++i)
            sum += b[i];
        if (!checksumMatches(line, 0x100 - (sum & 0xFF), b[record.size - 1]))
            return false;
        const unsigned type = b[3];
        const int length = b[0];
        const int wanted[] = { -1, 0, 2, 4, 2, 4 };
        if (type > 5)
            return defective(
                    defect, line, QStringLiteral("unknown record type %1").arg(hex(type, 2)));
        if (wanted[type] >= 0 && length != wanted[type])
            return badLength(line,
                    QStringLiteral("a type %1 record holds %2 data bytes, not %3")
                            .arg(hex(type, 2))
                            .arg(wanted[type])
                            .arg(length));
        switch (type) {
        case 0:
            return data(line, upper + bigEndian(b + 1, 2), b + 4, length, visit);
        case 1:
            *ended = true;
            break;
        case 2:
            upper = quint64(bigEndian(b + 4, 2)) << 4;
            break;
        case 4:
            upper = quint64(bigEndian(b + 4, 2)) << 16;
            break;
        default: // 3 and 5 give a start address, which an image has no use for
            break;
        }
        return true;
    }

    // "S" type, count of the bytes after it, address, data, and the ones' complement of the
    // sum of count, address and data.
    template <typename Visit>
    bool sLine(const char *start, const char *end, qint64 line, bool *ended, Visit &visit)
    {
        if (*start != 'S')
            return defective(defect, line, QStringLiteral("record does not start with 'S'"));
        if (end - start < 2 || !std::isdigit(quint8(start[1])))
            return defective(defect, line,
                    QStringLiteral("unknown record type S%1")
                            .arg(end - start < 2 ? QString() : QString(QLatin1Char(start[1]))));
        DecodedRecord record;
        if (!decodeDigits(start + 2, end, 3, line, &record, defect))
            return false;
        const unsigned char *b = record.bytes;
        if (record.size < 2)
            return badLength(line, QStringLiteral("record too short"));
        if (b[0] + 1 != record.size)
            return badLength(line,
                    QStringLiteral("the record declares %1 bytes after its count but holds %2")
                            .arg(b[0])
                            .arg(record.size - 1));
        unsigned sum = 0;
        for (int i = 0; i < record.size - 1; ++i)
            sum += b[i];
        if (!checksumMatches(line, ~sum, b[record.size - 1]))
            return false;
        const char type = start[1];
        // The address bytes of each type: S0 to S3 data, S5 and S6 counts, S7 to S9 ends.
        const int addressBytes[] = { 2, 2, 3, 4, 0, 2, 3, 4, 3, 2 };
        if (type == '4')
            return defective(defect, line, QStringLiteral("unknown record type S4"));
        const int width = addressBytes[type - '0'];
        const int length = record.size - 2 - width;
        const bool takesData = type <= '3';
        if (length < 0 || (!takesData && length != 0))
            return badLength(line,
                    QStringLiteral("an S%1 record %2 %3 bytes after its count, not %4")
                            .arg(QLatin1Char(type))
                            .arg(takesData ? QLatin1String("needs at least")
                                           : QLatin1String("holds"))
                            .arg(width + 1)
                            .arg(record.size - 1));
        const quint32 value = bigEndian(b + 1, width);
        switch (type) {
        case '0':
            break;
        case '1':
        case '2':
        case '3':
            ++dataRecords;
            return data(line, value, b + 1 + width, length, visit);
        case '5':
        case '6':
            if (value != dataRecords)
                return defective(defect, line,
                        QStringLiteral("the count record says %1 data records, the file has %2")
                                .arg(value)
                                .arg(dataRecords));
            countLast = true;
            break;
        default:
            *ended = true;
            break;
        }
        return true;
    }

    const QByteArray &text;
    HexDefect *defect;
    bool intel = true;
    bool sawData = false;
    bool countLast = false;
    quint64 upper = 0;
    quint64 dataRecords = 0;
};

} // namespace

QByteArray writeHexRecords(HexFormat format, const unsigned char *bytes, std::size_t count,
        quint32 baseAddress, quint32 startAddress, const QByteArray &header)
{
    QByteArray out;
    out.reserve(qsizetype(count / 16 * 46 + 256));
    if (format == HexFormat::IntelHex)
        writeIntelHex(out, bytes, count, baseAddress);
    else
        writeSRecords(out, bytes, count, baseAddress, startAddress, header);
    return out;
}

bool readHexRecords(const QByteArray &text, unsigned char fill, ImageBuffer *image,
        quint32 *lowestAddress, HexDefect *defect)
{
    // First the extent, so the image is allocated once; then the bytes, with one bit a byte
    // telling which are taken, so an overlap is caught on the record that makes it.
    quint64 lowest = ~quint64(0);
    quint64 highest = 0;
    const auto measure = [&](qint64 line, quint64 address, const unsigned char *, int length) {
        lowest = std::min(lowest, address);
        highest = std::max(highest, address + quint64(length));
        if (highest - lowest > hexImageLimit)
            return defective(defect, line,
                    QStringLiteral("the data spans %1 to %2, more than the 1 GiB an image holds")
                            .arg(hex(lowest, 8), hex(highest - 1, 8)));
        return true;
    };
    if (!RecordWalker(text, defect).walk(measure))
        return false;

    const quint64 span = highest - lowest;
    ImageBuffer bytes(span, fill);
    std::vector<quint64> taken((span + 63) / 64, 0);
    const auto place = [&](qint64 line, quint64 address, const unsigned char *data, int length) {
        const quint64 offset = address - lowest;
        for (int i = 0; i < length; ++i) {
            const quint64 at = offset + quint64(i);
            quint64 &word = taken[at / 64];
            const quint64 bit = quint64(1) << (at % 64);
            if (word & bit)
                return defective(defect, line,
                        QStringLiteral("data at %1 overlaps an earlier record")
                                .arg(hex(address + quint64(i), 8)));
            word |= bit;
            bytes[at] = data[i];
        }
        return true;
    };
    if (!RecordWalker(text, defect).walk(place))
        return false;
    image->swap(bytes);
    *lowestAddress = quint32(lowest);
    return true;
}
