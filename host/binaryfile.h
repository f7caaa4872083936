#pragma once

#include "host/hostclass.h"
#include "host/imagebuffer.h"

// Publishes "BinaryFile": one raw image in memory, read and patched by offset, checksummed and
// written back whole or in part.
class BinaryFileESClass : public ESHostClass
{
public:
    BinaryFileESClass();

    ESObject *install(ESContext *cx) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;

    void load(ESContext *cx, int count, ESValue *arguments);
    void save(ESContext *cx, int count, ESValue *arguments);
    void saveRange(ESContext *cx, int count, ESValue *arguments);
    void peekUint32(ESContext *cx, int count, ESValue *arguments);
    void pokeUint32(ESContext *cx, int count, ESValue *arguments);
    void peekBytes(ESContext *cx, int count, ESValue *arguments);
    void pokeBytes(ESContext *cx, int count, ESValue *arguments);
    void crc32(ESContext *cx, int count, ESValue *arguments);
    void length(ESContext *cx, int count, ESValue *arguments);
    void resize(ESContext *cx, int count, ESValue *arguments);
    void saveHex(ESContext *cx, int count, ESValue *arguments);
    void loadHex(ESContext *cx, int count, ESValue *arguments);
    void checksum(ESContext *cx, int count, ESValue *arguments);

private:
    // The bytes from offset to the end of the image, at most wanted of them.
    quint64 clippedCount(quint32 offset, quint64 wanted) const;
    void writeRange(
            ESContext *cx, const ESValue &path, quint32 offset, quint64 count, ESValue *result);

    // The buffer may be longer than the image after a shrinking resize; loaded is false until
    // the first load, so that save has nothing to write.
    ImageBuffer buffer;
    quint64 imageLength = 0;
    bool loaded = false;
};
