#pragma once

#include "host/imagebuffer.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

// The two text formats flash programmers take: Intel HEX and Motorola S-records. This is the
// codec only; it knows addresses and bytes, not files or scripts.
enum class HexFormat { IntelHex, SRecord };

// The records for count bytes whose first byte sits at baseAddress, 16 data bytes a record,
// with startAddress in the S-record terminator and header in the S0 record. Intel HEX gets an
// extended linear address record whenever the upper 16 bits of the address change, and no
// record crosses a 64 KiB boundary. baseAddress + count must not pass 2^32.
QByteArray writeHexRecords(HexFormat format, const unsigned char *bytes, std::size_t count,
        quint32 baseAddress, quint32 startAddress, const QByteArray &header);

// What is wrong with a file and on which line (counted from 1).
struct HexDefect
{
    qint64 line = 0;
    QString message;
};

// The largest span of addresses a file may cover; the gaps are filled, so this is memory.
inline constexpr quint64 hexImageLimit = quint64(1) << 30;

// Reads Intel HEX or S-records (told apart by the first character that is not white space) into
// image: every data byte at its address less the lowest address in the file, the gaps filled
// with fill. False, with image untouched and defect saying why, for any malformed or
// overlapping record, a file without data, a missing end record or anything after it.
bool readHexRecords(const QByteArray &text, unsigned char fill, ImageBuffer *image,
        quint32 *lowestAddress, HexDefect *defect);
