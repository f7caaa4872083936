#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <memory>
#include <vector>

// The 32-bit ELF tables, held in host order; the image keeps them in the file's order.
struct Elf32Header
{
    unsigned char ident[16];
    quint16 type, machine;
    quint32 version, entry, phoff, shoff, flags;
    quint16 ehsize, phentsize, phnum, shentsize, shnum, shstrndx;
};

struct Elf32ProgramHeader
{
    quint32 type, offset, vaddr, paddr, filesz, memsz, flags, align;
};

struct Elf32SectionHeader
{
    quint32 name, type, flags, addr, offset, size, link, info, addralign, entsize;
};

struct Elf32Symbol
{
    quint32 name, value, size;
    quint8 info, other;
    quint16 shndx;
};

class ElfFile;

// A program header and where its file data starts in the image (no data when filesz is 0).
struct ElfProgram
{
    Elf32ProgramHeader header;
    quint32 dataOffset;
    bool hasData;
};

class ElfSection
{
public:
    ElfSection(const ElfFile *owner, const Elf32SectionHeader &header, bool hasData)
        : header(header), hasData(hasData), owner(owner)
    { }
    virtual ~ElfSection() = default;

    // The section's bytes as they are in the image; empty for a section without file data.
    QByteArray contents() const;

    Elf32SectionHeader header;
    QString name;
    bool hasData;
    const ElfFile *owner;
};

class ElfSymbol
{
public:
    ElfSymbol(const QString &name, const Elf32Symbol &entry) : name(name), entry(entry) { }
    virtual ~ElfSymbol() = default;
    virtual quint32 value() const { return entry.value; }

    QString name;
    Elf32Symbol entry;
};

// On ARM a function's address carries the Thumb state in bit 0; the value reported is the
// address proper.
class ARMElfSymbol : public ElfSymbol
{
public:
    ARMElfSymbol(const QString &name, const Elf32Symbol &entry, const ElfFile &file);
    quint32 value() const override { return storedValue; }

    enum Mode : qint32 { Arm = 0, Thumb = 1, Data = 2 };
    qint32 mode;

private:
    quint32 storedValue;
};

// One 32-bit ELF file of either byte order, read whole; patches change the image in place and
// save writes it back. Every table, string and data block is checked against the image on load,
// so nothing later reads outside it. Load and save raise HException.
class ElfFile
{
public:
    ElfFile(bool armSymbols, bool demangle) : armSymbols(armSymbols), demangle(demangle) { }
    virtual ~ElfFile() = default;
    ElfFile(const ElfFile &) = delete;
    ElfFile &operator=(const ElfFile &) = delete;

    // An extension point for targets whose symbol values need adjusting.
    virtual quint32 adjustSymbolAddress(quint32 value) const { return value; }

    void load(const QString &path);
    // Parses bytes already in memory; path only names the file in messages.
    void loadImage(const QString &path, QByteArray bytes);
    void save(const QString &path) const;

    bool isLoaded() const { return loaded; }
    bool isBigEndian() const { return bigEndian; }
    const Elf32Header &header() const { return fileHeader; }
    const std::vector<ElfProgram> &programs() const { return programList; }
    const QByteArray &image() const { return bytes; }

    // The length bytes at address inside one segment's file data; null when they are not.
    unsigned char *locate(quint32 address, quint32 length, bool virtualAddress);
    // The length bytes from address, with padding wherever no segment's file data lies.
    QByteArray gather(quint32 address, quint32 length, bool virtualAddress, quint8 padding) const;
    // The first loadable segment whose memory holds address.
    const ElfProgram *findProgram(quint32 address) const;
    QByteArray contents(const ElfProgram &program) const;
    // What a flasher receives: the loadable segments' bytes at their physical addresses, from
    // the lowest to the highest, padding wherever none lies. Within a segment only the bytes of
    // allocated sections with contents count, so alignment between sections is padding too, as
    // in objcopy's output with a gap fill; a file without section headers gives every segment
    // whole. Raises HException when the span passes 1 GiB.
    QByteArray flashImage(quint8 padding, quint32 *lowestAddress) const;
    const ElfSection *section(const QString &name) const;
    // The symbol of exactly that (demangled) name.
    const ElfSymbol *symbol(const QString &name) const;

    bool isAdsLinked() const { return adsLinked; }

private:
    void clear();
    void readHeader();
    void readPrograms();
    void readSections();
    void readSymbols();
    QString stringAt(const ElfSection &table, quint32 offset) const;
    QString symbolName(const QByteArray &raw) const;
    [[noreturn]] void truncated() const;
    bool fits(quint64 offset, quint64 size) const { return offset + size <= quint64(bytes.size()); }
    quint16 half(quint64 offset) const;
    quint32 word(quint64 offset) const;

    bool armSymbols;
    bool demangle;
    bool loaded = false;
    QString path;
    QByteArray bytes;
    bool bigEndian = false;
    Elf32Header fileHeader{};
    std::vector<ElfProgram> programList;
    std::vector<std::unique_ptr<ElfSection>> sections;
    QMap<QString, const ElfSection *> sectionsByName;
    std::vector<std::unique_ptr<ElfSymbol>> namedSymbols; // sorted by name
    std::vector<std::unique_ptr<ElfSymbol>> otherSymbols;
    const ElfSection *stringTable = nullptr;
    bool adsLinked = false;
};
