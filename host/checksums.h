#pragma once

#include "host/crcmodel.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

#include <cstddef>

// One checksum a script may name: a CRC from the catalogue, answered as a number, or a digest,
// answered as lowercase hexadecimal text as sha256sum prints it.
struct ChecksumAlgorithm
{
    const char *name;
    bool isDigest;
    CrcModel model;
    // A faster routine for the whole message, or null for the table engine of model.
    quint32 (*dedicated)(const unsigned char *bytes, std::size_t count);
    QCryptographicHash::Algorithm digest;
};

struct ChecksumValue
{
    bool isDigest;
    quint32 crc;
    QByteArray hexDigest;
};

// The algorithm of exactly that name; null for a name not in the catalogue.
const ChecksumAlgorithm *findChecksum(const QString &name);
// Every name, in catalogue order, separated by ", ": for the message about an unknown name.
QString checksumNames();
ChecksumValue computeChecksum(
        const ChecksumAlgorithm &algorithm, const unsigned char *bytes, std::size_t count);
