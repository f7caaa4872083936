#include "host/checksumargument.h"

#include "engine/context.h"
#include "engine/convert.h"

const ChecksumAlgorithm &checksumArgument(ESContext *cx, const ESValue &name)
{
    const QString text = toString(cx, name);
    const ChecksumAlgorithm *algorithm = findChecksum(text);
    if (!algorithm)
        throwPlainError(cx,
                QStringLiteral("unknown checksum algorithm \"%1\" (known: %2)")
                        .arg(text, checksumNames()));
    return *algorithm;
}

ESValue checksumValue(
        const ChecksumAlgorithm &algorithm, const unsigned char *bytes, std::size_t count)
{
    const ChecksumValue value = computeChecksum(algorithm, bytes, count);
    if (value.isDigest)
        return nameValue(intern(QString::fromLatin1(value.hexDigest)));
    return numberValue(double(value.crc));
}
