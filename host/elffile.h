#pragma once

#include "host/elfimage.h"
#include "host/hostclass.h"

// Publishes "ElfFile": one 32-bit ELF image, read and patched by load address, checksummed,
// searched for symbols, segments and sections, and written back.
class ElfFileESClass : public ESHostClass
{
public:
    ElfFileESClass();

    ESObject *install(ESContext *cx) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;

    void load(ESContext *cx, int count, ESValue *arguments);
    void save(ESContext *cx, int count, ESValue *arguments);
    void peekUint32(ESContext *cx, int count, ESValue *arguments);
    void pokeUint32(ESContext *cx, int count, ESValue *arguments);
    void peekBytes(ESContext *cx, int count, ESValue *arguments);
    void pokeBytes(ESContext *cx, int count, ESValue *arguments);
    void crc32(ESContext *cx, int count, ESValue *arguments);
    void symbolValue(ESContext *cx, int count, ESValue *arguments);
    void isLittleEndian(ESContext *cx, int count, ESValue *arguments);
    void getEntryPoint(ESContext *cx, int count, ESValue *arguments);
    void findProgram(ESContext *cx, int count, ESValue *arguments);
    void getSection(ESContext *cx, int count, ESValue *arguments);
    void saveImage(ESContext *cx, int count, ESValue *arguments);

private:
    // The bytes for peekBytes and crc32; false when the length is 0 or above 2^31 - 1.
    bool gathered(ESContext *cx, ESValue *arguments, QByteArray *bytes);

    ElfFile elf{ true, true };
};
