// Feeds arbitrary bytes to the ELF reader as a file's contents, then runs the lookups a script
// can make on whatever loaded: every input must end in a loaded image or an HException, and no
// lookup may read outside the image.
//
//   build-fuzz/fuzz/fuzz_elf -max_total_time=600 build-fuzz/fuzz/elf_corpus

#include "host/crc32.h"
#include "host/elfimage.h"
#include "host/hexception.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ElfFile elf(true, true);
    try {
        elf.loadImage(QStringLiteral("fuzz.elf"),
                QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const HException &) {
        return 0;
    }
    quint32 sum = elf.header().entry;
    for (const ElfProgram &program : elf.programs()) {
        for (bool virtualAddress : { true, false }) {
            const quint32 start = virtualAddress ? program.header.vaddr : program.header.paddr;
            const quint32 length = qMin<quint32>(program.header.memsz + 8, 1u << 16);
            const QByteArray bytes = elf.gather(start - 4, length, virtualAddress, 0xFF);
            sum ^= crc32(reinterpret_cast<const unsigned char *>(bytes.constData()),
                    std::size_t(bytes.size()));
            for (quint32 offset : { 0u, program.header.filesz - 4, program.header.filesz - 2 }) {
                if (unsigned char *word = elf.locate(start + offset, 4, virtualAddress))
                    word[0] ^= 0x5A;
            }
        }
        if (const ElfProgram *found = elf.findProgram(program.header.vaddr))
            sum ^= quint32(elf.contents(*found).size());
    }
    for (const char *name : { ".text", ".data", ".bss", ".symtab", ".strtab", ".comment", "" }) {
        if (const ElfSection *section = elf.section(QLatin1String(name)))
            sum ^= quint32(section->contents().size());
    }
    for (const char *name : { "reset", "ns::f(int)", "main", "" }) {
        if (const ElfSymbol *symbol = elf.symbol(QLatin1String(name)))
            sum ^= symbol->value();
    }
    return sum == 0x12345678 ? 0 : 0;
}
