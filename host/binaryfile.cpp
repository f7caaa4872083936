#include "host/binaryfile.h"

#include "engine/bytepath.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "host/byteorder.h"
#include "host/checksumargument.h"
#include "host/crc32.h"
#include "host/filereplace.h"
#include "host/hexrecords.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const ESHostMethod<BinaryFileESClass> methods[] = {
    { "load", 1, &BinaryFileESClass::load,
            "<b>BinaryFile.load(path)</b> loads binary file from <i>path</i>." },
    { "save", 1, &BinaryFileESClass::save,
            "<b>BinaryFile.save(path)</b> saves binary file to <i>path</i>." },
    { "saveRange", 3, &BinaryFileESClass::saveRange,
            "<b>BinaryFile.saveRange(path, offset, length)</b> saves part of the binary file to "
            "<i>path</i>. The <i>offset</i> argument specifies the byte offset to start from. The "
            "<i>length</i> argument specifies the maximum number of bytes that should be saved." },
    { "peekUint32", 2, &BinaryFileESClass::peekUint32,
            "<b>BinaryFile.peekUint32(offset, littleEndian)</b> returns a 32-bit word peeked from "
            "<i>offset</i>. The <i>littleEndian</i> argument specifies the endianness of the "
            "access, if true or undefined it will be little endian, otherwise it will be big "
            "endian." },
    { "pokeUint32", 3, &BinaryFileESClass::pokeUint32,
            "<b>BinaryFile.pokeUint32(offset, value, littleEndian)</b> poke a <i>value</i> to "
            "32-bit word located at <i>offset</i>. The <i>littleEndian</i> argument specifies the "
            "endianness of the access, if true or undefined it will be little endian, otherwise "
            "it will be big endian." },
    { "peekBytes", 2, &BinaryFileESClass::peekBytes,
            "<b>BinaryFile.peekBytes(offset, length)</b> returns byte array containing "
            "<i>length</i> bytes peeked from <i>offset</i>." },
    { "pokeBytes", 2, &BinaryFileESClass::pokeBytes,
            "<b>BinaryFile.pokeBytes(offset, byteArray)</b> poke byte array <i>byteArray</i> to "
            "<i>offset</i>." },
    { "crc32", 2, &BinaryFileESClass::crc32,
            "<b>BinaryFile.crc32(offset, length)</b> returns the CRC-32 checksum of an address "
            "range <i>length</i> bytes long, starting at <i>offset</i>. This function computes a "
            "CRC-32 checksum on a block of data using the standard CRC-32 polynomial (0x04C11DB7) "
            "with an initial value of 0xFFFFFFFF. Note that this implementation doesn't reflect "
            "the input or the output and the result is inverted." },
    { "length", 0, &BinaryFileESClass::length,
            "<b>BinaryFile.length()</b> returns the length of the binary file in bytes." },
    { "resize", 2, &BinaryFileESClass::resize,
            "<b>BinaryFile.resize(length, fill)</b> resizes the binary image to <i>length</i> "
            "bytes. If the operation extends the size, the binary image will be padded with bytes "
            "of value <i>fill</i>." },
    { "saveHex", 3, &BinaryFileESClass::saveHex,
            "<b>BinaryFile.saveHex(path, baseAddress, format)</b> writes the binary image to "
            "<i>path</i> as Intel HEX (<i>format</i> \"ihex\") or Motorola S-records "
            "(<i>format</i> \"srec\"), its first byte at address <i>baseAddress</i>, and returns "
            "true when the file was written. The previous file stays as it was when the write "
            "fails." },
    { "loadHex", 2, &BinaryFileESClass::loadHex,
            "<b>BinaryFile.loadHex(path, fill)</b> loads an Intel HEX or S-record file from "
            "<i>path</i> as the binary image, each data byte at its address less the lowest "
            "address in the file, gaps filled with bytes of value <i>fill</i> (0xFF if "
            "undefined), and returns the lowest address. A malformed file raises an error naming "
            "its line and leaves the previous image loaded." },
    { "checksum", 3, &BinaryFileESClass::checksum,
            "<b>BinaryFile.checksum(offset, length, algorithm)</b> returns the checksum named "
            "<i>algorithm</i> of the range <i>length</i> bytes long starting at <i>offset</i>: a "
            "number for the CRCs \"crc32/bzip2\" (as crc32), \"crc32/iso-hdlc\", "
            "\"crc32/mpeg-2\", \"crc32/iscsi\", \"crc16/xmodem\", \"crc16/ibm-3740\", "
            "\"crc16/modbus\", \"crc16/kermit\" and \"crc8/smbus\", lowercase hexadecimal text "
            "for the digests \"sha256\", \"sha1\" and \"md5\"." },
};

// An omitted byte-order argument means little-endian.
bool isLittle(const ESValue &order)
{
    return order.isUndefined() || toBoolean(order);
}

QByteArray pathOf(ESContext *cx, const ESValue &value)
{
    return systemPath(toString(cx, value, 10));
}

HexFormat hexFormatArgument(ESContext *cx, const ESValue &value)
{
    const QString name = toString(cx, value);
    if (name == u"ihex")
        return HexFormat::IntelHex;
    if (name == u"srec")
        return HexFormat::SRecord;
    throwPlainError(
            cx, QStringLiteral("unknown image format \"%1\" (known: ihex, srec)").arg(name));
}

// The whole file, or the reason it cannot be read.
bool readWholeFile(const QByteArray &path, QByteArray *contents, int *error)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    char block[65536];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            *error = errno;
        if (got <= 0) {
            ::close(fd);
            return got == 0;
        }
        contents->append(block, got);
    }
}

} // namespace

BinaryFileESClass::BinaryFileESClass() : ESHostClass("BinaryFile") { }

ESObject *BinaryFileESClass::install(ESContext *cx)
{
    ESObject *holder = ESHostClass::install(cx);
    installMethods(cx, holder, methods);
    return holder;
}

void BinaryFileESClass::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    if (!callMethod(this, methods, 0, cx, function, count, arguments))
        ESHostClass::call(cx, function, thisObject, count, arguments);
}

quint64 BinaryFileESClass::clippedCount(quint32 offset, quint64 wanted) const
{
    if (offset >= imageLength)
        return 0;
    return qMin(wanted, imageLength - offset);
}

void BinaryFileESClass::load(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = pathOf(cx, arguments[0]);
    buffer = {};
    imageLength = 0;
    loaded = false;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0)
            ::close(fd);
        arguments[0] = makeBoolean(false);
        return;
    }
    const quint64 size = info.st_size > 0 ? quint64(info.st_size) : 0;
    buffer.clear();
    buffer.resize(size);
    imageLength = size;
    loaded = true;
    quint64 received = 0;
    while (received < size) {
        const ssize_t got = ::read(fd, buffer.data() + received, size - received);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        received += quint64(got);
    }
    ::close(fd);
    // A file that cannot be read whole still leaves an image of its size, zero-filled where
    // nothing arrived.
    std::fill(buffer.begin() + qsizetype(received), buffer.end(), 0);
    arguments[0] = makeBoolean(received == size);
}

void BinaryFileESClass::writeRange(
        ESContext *cx, const ESValue &pathValue, quint32 offset, quint64 count, ESValue *result)
{
    const QByteArray path = pathOf(cx, pathValue);
    const ReplaceResult written =
            replaceFile(path, reinterpret_cast<const char *>(buffer.data()) + offset, count, 0600);
    *result = makeBoolean(written == ReplaceResult::Written);
}

void BinaryFileESClass::save(ESContext *cx, int, ESValue *arguments)
{
    if (!loaded)
        return;
    writeRange(cx, arguments[0], 0, imageLength, &arguments[0]);
}

void BinaryFileESClass::saveRange(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[1]);
    const quint32 length = toUint32(cx, arguments[2]);
    if (!loaded || offset >= imageLength) {
        pathOf(cx, arguments[0]);
        return;
    }
    writeRange(cx, arguments[0], offset, clippedCount(offset, length), &arguments[0]);
}

void BinaryFileESClass::peekUint32(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const bool little = isLittle(arguments[1]);
    if (quint64(offset) + 4 > imageLength) {
        arguments[0] = undefinedValue();
        return;
    }
    arguments[0] = numberValue(readUint32(buffer.data() + offset, little));
}

void BinaryFileESClass::pokeUint32(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const quint32 value = toUint32(cx, arguments[1]);
    const bool little = isLittle(arguments[2]);
    const bool inside = quint64(offset) + 4 <= imageLength;
    if (inside)
        writeUint32(buffer.data() + offset, value, little);
    arguments[0] = makeBoolean(inside);
}

void BinaryFileESClass::peekBytes(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const quint64 count = clippedCount(offset, toUint32(cx, arguments[1]));
    if (count == 0) {
        arguments[0] = undefinedValue();
        return;
    }
    const QByteArray bytes(
            reinterpret_cast<const char *>(buffer.data() + offset), qsizetype(count));
    arguments[0] = objectValue(makeArray(cx, bytes));
}

void BinaryFileESClass::pokeBytes(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const QByteArray bytes = toByteArray(cx, arguments[1]);
    const quint64 count = clippedCount(offset, quint64(bytes.size()));
    std::copy_n(bytes.constData(), count, buffer.data() + offset);
    arguments[0] = makeBoolean(count > 0);
}

void BinaryFileESClass::crc32(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const quint64 count = clippedCount(offset, toUint32(cx, arguments[1]));
    if (count == 0) {
        arguments[0] = undefinedValue();
        return;
    }
    arguments[0] = numberValue(::crc32(buffer.data() + offset, count));
}

void BinaryFileESClass::length(ESContext *, int, ESValue *arguments)
{
    arguments[0] = numberValue(quint32(imageLength));
}

void BinaryFileESClass::resize(ESContext *cx, int, ESValue *arguments)
{
    const quint32 length = toUint32(cx, arguments[0]);
    if (length > imageLength) {
        const quint8 fill = arguments[1].isUndefined() ? 0xFF : quint8(toUint32(cx, arguments[1]));
        buffer.resize(imageLength);
        buffer.resize(length, fill);
        loaded = true;
    }
    imageLength = length;
    arguments[0] = undefinedValue();
}

// With nothing loaded there is nothing to write, which answers false rather than pretending.
void BinaryFileESClass::saveHex(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = pathOf(cx, arguments[0]);
    const quint32 base = toUint32(cx, arguments[1]);
    const HexFormat format = hexFormatArgument(cx, arguments[2]);
    if (!loaded) {
        arguments[0] = makeBoolean(false);
        return;
    }
    if (quint64(base) + imageLength > quint64(1) << 32)
        throwRangeError(cx,
                QStringLiteral("an image of %1 bytes at 0x%2 runs past address 0xFFFFFFFF")
                        .arg(imageLength)
                        .arg(base, 8, 16, QLatin1Char('0')));
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const QByteArray text = writeHexRecords(format, buffer.data(), imageLength, base, 0, name);
    const ReplaceResult written
            = replaceFile(path, text.constData(), std::size_t(text.size()), 0600);
    arguments[0] = makeBoolean(written == ReplaceResult::Written);
}

// The file is read and checked whole before the image changes, so a defect anywhere in it
// leaves the previous image loaded.
void BinaryFileESClass::loadHex(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = pathOf(cx, arguments[0]);
    const quint8 fill = arguments[1].isUndefined() ? 0xFF : quint8(toUint32(cx, arguments[1]));
    QByteArray text;
    int error = 0;
    if (!readWholeFile(path, &text, &error))
        throwPlainError(cx,
                QStringLiteral("cannot read %1: %2")
                        .arg(QString::fromLatin1(path), QString::fromLocal8Bit(strerror(error))));
    ImageBuffer image;
    quint32 lowest = 0;
    HexDefect defect;
    if (!readHexRecords(text, fill, &image, &lowest, &defect))
        throwPlainError(cx,
                QStringLiteral("%1:%2: %3")
                        .arg(QString::fromLatin1(path), QString::number(defect.line),
                                defect.message));
    imageLength = image.size();
    buffer.swap(image);
    loaded = true;
    arguments[0] = numberValue(lowest);
}

// The name is checked first, so a misspelt algorithm is caught even on an empty range. A range
// is clipped at the end of the image like crc32's; one starting past the end is undefined.
void BinaryFileESClass::checksum(ESContext *cx, int, ESValue *arguments)
{
    const quint32 offset = toUint32(cx, arguments[0]);
    const quint32 length = toUint32(cx, arguments[1]);
    const ChecksumAlgorithm &algorithm = checksumArgument(cx, arguments[2]);
    if (!loaded || offset > imageLength) {
        arguments[0] = undefinedValue();
        return;
    }
    arguments[0] = checksumValue(algorithm, buffer.data() + offset, clippedCount(offset, length));
}
