#include "host/checksums.h"

#include "host/crc32.h"
#include "host/crc32c.h"
#include "host/crcfolding.h"

#include <QStringList>

#include <iterator>
#include <memory>

namespace {

constexpr CrcModel hdlc{ 32, 0x04C11DB7, 0xFFFFFFFF, true, 0xFFFFFFFF };

// crc32 is the bzip2 register inverted at the end, so MPEG-2 (the same register without that
// inversion) is it inverted once more.
quint32 mpeg2(const unsigned char *bytes, std::size_t count)
{
    return crc32(bytes, count) ^ 0xFFFFFFFFu;
}

// zlib's crc32 would do, but takes its bytes a word at a time: a quarter of cksum's speed.
quint32 isoHdlc(const unsigned char *bytes, std::size_t count)
{
    static const CrcEngine tables(hdlc);
    static constexpr ReflectedFolding folding(hdlc.polynomial);
    return reflectedChecksum(tables, folding, bytes, count);
}

constexpr auto noDigest = QCryptographicHash::Sha256;

// Names and parameters as the CRC catalogues give them.
// clang-format off
const ChecksumAlgorithm algorithms[] = {
    { "crc32/bzip2",    false, { 32, 0x04C11DB7, 0xFFFFFFFF, false, 0xFFFFFFFF }, crc32,   noDigest },
    { "crc32/iso-hdlc", false, hdlc,                                              isoHdlc, noDigest },
    { "crc32/mpeg-2",   false, { 32, 0x04C11DB7, 0xFFFFFFFF, false, 0x00000000 }, mpeg2,   noDigest },
    { "crc32/iscsi",    false, { 32, 0x1EDC6F41, 0xFFFFFFFF, true,  0xFFFFFFFF }, crc32c,  noDigest },
    { "crc16/xmodem",   false, { 16, 0x1021,     0x0000,     false, 0x0000 },     nullptr, noDigest },
    { "crc16/ibm-3740", false, { 16, 0x1021,     0xFFFF,     false, 0x0000 },     nullptr, noDigest },
    { "crc16/modbus",   false, { 16, 0x8005,     0xFFFF,     true,  0x0000 },     nullptr, noDigest },
    { "crc16/kermit",   false, { 16, 0x1021,     0x0000,     true,  0x0000 },     nullptr, noDigest },
    { "crc8/smbus",     false, { 8,  0x07,       0x00,       false, 0x00 },       nullptr, noDigest },
    { "sha256",         true,  {},                                                nullptr, QCryptographicHash::Sha256 },
    { "sha1",           true,  {},                                                nullptr, QCryptographicHash::Sha1 },
    { "md5",            true,  {},                                                nullptr, QCryptographicHash::Md5 },
};
// clang-format on

constexpr std::size_t algorithmCount = std::size(algorithms);

// Tables are made the first time a model is used, so start-up pays for none of them.
const CrcEngine &engineFor(const ChecksumAlgorithm &algorithm)
{
    static std::unique_ptr<CrcEngine> engines[algorithmCount];
    std::unique_ptr<CrcEngine> &engine = engines[&algorithm - algorithms];
    if (!engine)
        engine = std::make_unique<CrcEngine>(algorithm.model);
    return *engine;
}

} // namespace

const ChecksumAlgorithm *findChecksum(const QString &name)
{
    for (const ChecksumAlgorithm &algorithm : algorithms) {
        if (name == QLatin1String(algorithm.name))
            return &algorithm;
    }
    return nullptr;
}

QString checksumNames()
{
    QStringList names;
    for (const ChecksumAlgorithm &algorithm : algorithms)
        names.append(QLatin1String(algorithm.name));
    return names.join(QLatin1String(", "));
}

ChecksumValue computeChecksum(
        const ChecksumAlgorithm &algorithm, const unsigned char *bytes, std::size_t count)
{
    if (algorithm.isDigest) {
        QCryptographicHash hash(algorithm.digest);
        hash.addData(QByteArrayView(bytes, qsizetype(count)));
        return { true, 0, hash.result().toHex() };
    }
    if (algorithm.dedicated) {
        // crc32 answers 0 for no bytes, which is also the bzip2 value of an empty message, so
        // the shortcut holds for every length.
        return { false, algorithm.dedicated(bytes, count), {} };
    }
    return { false, engineFor(algorithm).checksum(bytes, count), {} };
}
