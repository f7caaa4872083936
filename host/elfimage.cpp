#include "host/elfimage.h"

#include "engine/bytepath.h"
#include "host/byteorder.h"
#include "host/filereplace.h"
#include "host/hexception.h"

#include <QFile>
#include <QHash>

// libiberty's own basename declaration clashes with the C library's.
#define HAVE_DECL_BASENAME 1
#include <demangle.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr quint32 headerSize = 52;
constexpr quint32 programHeaderSize = 32;
constexpr quint32 sectionHeaderSize = 40;
constexpr quint32 symbolSize = 16;
constexpr quint32 PT_LOAD = 1;
constexpr quint32 SHT_NOBITS = 8;
constexpr quint8 STT_FUNC = 2;
constexpr quint32 SHF_ALLOC = 2;
constexpr quint64 flashImageLimit = quint64(1) << 30;

[[noreturn]] void fail(const char *what, const QString &path)
{
    throw HException(QByteArray(what) + path.toLatin1());
}

bool isLoadable(const ElfProgram &program)
{
    return program.header.type == PT_LOAD && program.header.filesz != 0;
}

quint32 segmentStart(const ElfProgram &program, bool virtualAddress)
{
    return virtualAddress ? program.header.vaddr : program.header.paddr;
}

} // namespace

QByteArray ElfSection::contents() const
{
    if (!hasData)
        return QByteArray();
    return owner->image().mid(qsizetype(header.offset), qsizetype(header.size));
}

ARMElfSymbol::ARMElfSymbol(const QString &name, const Elf32Symbol &entry, const ElfFile &file)
    : ElfSymbol(name, entry)
{
    quint32 value = entry.value;
    if ((entry.info & 0xF) == STT_FUNC) {
        mode = (value & 1) ? Thumb : Arm;
        value &= ~1u;
    } else {
        mode = Data;
    }
    storedValue = file.adjustSymbolAddress(value);
}

void ElfFile::clear()
{
    loaded = false;
    path.clear();
    bytes.clear();
    bigEndian = false;
    fileHeader = {};
    programList.clear();
    sectionsByName.clear();
    sections.clear();
    namedSymbols.clear();
    otherSymbols.clear();
    stringTable = nullptr;
    adsLinked = false;
}

void ElfFile::load(const QString &filePath)
{
    clear();
    QFile file;
    if (!openByBytes(file, systemPath(filePath), QIODevice::ReadOnly))
        fail("cannot open ", filePath);
    const qint64 size = file.size();
    if (size > qint64(0x7FFFFFFF))
        fail("cannot read ", filePath);
    QByteArray contents = file.read(size);
    if (contents.size() != size)
        fail("cannot read ", filePath);
    file.close();
    loadImage(filePath, std::move(contents));
}

void ElfFile::loadImage(const QString &filePath, QByteArray image)
{
    clear();
    path = filePath;
    bytes = std::move(image);
    try {
        readHeader();
        readPrograms();
        readSections();
        readSymbols();
    } catch (...) {
        clear();
        throw;
    }
    loaded = true;
}

void ElfFile::truncated() const
{
    fail("truncated ELF file: ", path);
}

quint16 ElfFile::half(quint64 offset) const
{
    return readUint16(
            reinterpret_cast<const unsigned char *>(bytes.constData()) + offset, !bigEndian);
}

quint32 ElfFile::word(quint64 offset) const
{
    return readUint32(
            reinterpret_cast<const unsigned char *>(bytes.constData()) + offset, !bigEndian);
}

void ElfFile::readHeader()
{
    if (bytes.size() < 4
            || std::memcmp(bytes.constData(),
                       "\x7F"
                       "ELF",
                       4)
                    != 0)
        fail("invalid ELF file: ", path);
    if (bytes.size() > 4 && bytes[4] == 2)
        fail("unsupported 64-bit ELF file: ", path);
    if (!fits(0, headerSize))
        truncated();
    std::memcpy(fileHeader.ident, bytes.constData(), 16);
    bigEndian = fileHeader.ident[5] != 1;
    fileHeader.type = half(16);
    fileHeader.machine = half(18);
    fileHeader.version = word(20);
    fileHeader.entry = word(24);
    fileHeader.phoff = word(28);
    fileHeader.shoff = word(32);
    fileHeader.flags = word(36);
    fileHeader.ehsize = half(40);
    fileHeader.phentsize = half(42);
    fileHeader.phnum = half(44);
    fileHeader.shentsize = half(46);
    fileHeader.shnum = half(48);
    fileHeader.shstrndx = half(50);
}

void ElfFile::readPrograms()
{
    const quint64 table = fileHeader.phoff;
    if (fileHeader.phnum != 0 && !fits(table, quint64(fileHeader.phnum) * programHeaderSize))
        truncated();
    for (quint32 i = 0; i < fileHeader.phnum; ++i) {
        const quint64 at = table + quint64(i) * programHeaderSize;
        ElfProgram program;
        quint32 *fields[] = { &program.header.type, &program.header.offset, &program.header.vaddr,
            &program.header.paddr, &program.header.filesz, &program.header.memsz,
            &program.header.flags, &program.header.align };
        for (quint32 f = 0; f < 8; ++f)
            *fields[f] = word(at + 4 * f);
        program.hasData = program.header.filesz != 0;
        program.dataOffset = program.header.offset;
        if (program.hasData && !fits(program.header.offset, program.header.filesz))
            truncated();
        programList.push_back(program);
    }
}

void ElfFile::readSections()
{
    const quint64 table = fileHeader.shoff;
    if (fileHeader.shnum != 0 && !fits(table, quint64(fileHeader.shnum) * sectionHeaderSize))
        truncated();
    for (quint32 i = 0; i < fileHeader.shnum; ++i) {
        const quint64 at = table + quint64(i) * sectionHeaderSize;
        Elf32SectionHeader header;
        quint32 *fields[] = { &header.name, &header.type, &header.flags, &header.addr,
            &header.offset, &header.size, &header.link, &header.info, &header.addralign,
            &header.entsize };
        for (quint32 f = 0; f < 10; ++f)
            *fields[f] = word(at + 4 * f);
        const bool hasData = header.type != SHT_NOBITS;
        if (hasData && !fits(header.offset, header.size))
            truncated();
        sections.push_back(std::make_unique<ElfSection>(this, header, hasData));
    }
    // A file without a section-name table has sections without names.
    if (fileHeader.shstrndx < sections.size() && sections[fileHeader.shstrndx]->hasData) {
        const ElfSection &names = *sections[fileHeader.shstrndx];
        for (const auto &section : sections)
            section->name = stringAt(names, section->header.name);
    }
    for (const auto &section : sections)
        sectionsByName.insert(section->name, section.get());
}

QString ElfFile::stringAt(const ElfSection &table, quint32 offset) const
{
    if (!table.hasData || offset >= table.header.size)
        truncated();
    const char *start = bytes.constData() + table.header.offset + offset;
    const quint32 room = table.header.size - offset;
    const void *end = std::memchr(start, 0, room);
    if (!end)
        truncated();
    return QString::fromLatin1(start, static_cast<const char *>(end) - start);
}

QString ElfFile::symbolName(const QByteArray &raw) const
{
    const bool mangled = raw.startsWith("_Z") || raw.startsWith("__Z");
    if (!demangle || !mangled)
        return QString::fromLatin1(raw);
    // The ADS linker's older mangling style is not known to this demangler; the automatic
    // style is the nearest it offers.
    const int style = adsLinked ? DMGL_AUTO : DMGL_GNU_V3;
    const char *text = raw.constData() + (raw.startsWith("__Z") ? 1 : 0);
    char *demangled = cplus_demangle(text, DMGL_PARAMS | DMGL_TYPES | style);
    if (!demangled)
        return QString::fromLatin1(raw);
    const QString name = QString::fromLatin1(demangled);
    std::free(demangled);
    return name;
}

void ElfFile::readSymbols()
{
    stringTable = section(QStringLiteral(".strtab"));
    if (const ElfSection *comment = section(QStringLiteral(".comment")))
        adsLinked = comment->contents().startsWith("ARM Linker, ADS1.2");
    const ElfSection *table = section(QStringLiteral(".symtab"));
    if (!table || !table->hasData || table->header.entsize == 0)
        return;
    const quint64 count = table->header.size / table->header.entsize;
    if (count * symbolSize > table->header.size)
        truncated();
    // Symbols that share a string share its (demangled) name, so a table that points many
    // entries at one long string costs that string once.
    QHash<quint32, QString> namesByOffset;
    for (quint64 i = 0; i < count; ++i) {
        const quint64 at = table->header.offset + i * symbolSize;
        Elf32Symbol entry;
        entry.name = word(at);
        entry.value = word(at + 4);
        entry.size = word(at + 8);
        entry.info = quint8(bytes[at + 12]);
        entry.other = quint8(bytes[at + 13]);
        entry.shndx = half(at + 14);
        QString name;
        if (entry.name != 0 && stringTable) {
            auto known = namesByOffset.constFind(entry.name);
            if (known == namesByOffset.cend())
                known = namesByOffset.insert(
                        entry.name, symbolName(stringAt(*stringTable, entry.name).toLatin1()));
            name = *known;
        }
        std::unique_ptr<ElfSymbol> symbol;
        if (armSymbols)
            symbol = std::make_unique<ARMElfSymbol>(name, entry, *this);
        else
            symbol = std::make_unique<ElfSymbol>(name, entry);
        const bool named = !name.isEmpty() && !name.startsWith(u'$') && !name.startsWith(u".L");
        (named ? namedSymbols : otherSymbols).push_back(std::move(symbol));
    }
    std::stable_sort(namedSymbols.begin(), namedSymbols.end(),
            [](const auto &a, const auto &b) { return a->name < b->name; });
}

void ElfFile::save(const QString &target) const
{
    // The tables were read into copies, so the image still holds them in the file's order and
    // goes out byte for byte, with the patches made since.
    if (!loaded)
        throw HException("no ELF file loaded to save to " + target.toLatin1());
    const ReplaceResult result =
            replaceFile(systemPath(target), bytes.constData(), std::size_t(bytes.size()), 0600);
    if (result == ReplaceResult::CannotOpen)
        fail("cannot open ", target);
    if (result == ReplaceResult::WriteFailed)
        fail("write read ", target);
}

unsigned char *ElfFile::locate(quint32 address, quint32 length, bool virtualAddress)
{
    const quint64 end = quint64(address) + length;
    if (end > 0xFFFFFFFFull)
        return nullptr;
    for (const ElfProgram &program : programList) {
        if (!isLoadable(program))
            continue;
        const quint64 start = segmentStart(program, virtualAddress);
        if (start <= address && end <= start + program.header.filesz)
            return reinterpret_cast<unsigned char *>(bytes.data()) + program.dataOffset
                    + (address - start);
    }
    return nullptr;
}

QByteArray ElfFile::gather(
        quint32 address, quint32 length, bool virtualAddress, quint8 padding) const
{
    QByteArray result = QByteArray(qsizetype(length), char(padding));
    const quint64 end = quint64(address) + length;
    if (end > 0xFFFFFFFFull)
        return result;
    for (const ElfProgram &program : programList) {
        if (!isLoadable(program))
            continue;
        const quint64 start = segmentStart(program, virtualAddress);
        const quint64 from = std::max<quint64>(start, address);
        const quint64 to = std::min<quint64>(start + program.header.filesz, end);
        if (from >= to)
            continue;
        std::memcpy(result.data() + (from - address),
                bytes.constData() + program.dataOffset + (from - start), to - from);
    }
    return result;
}

const ElfProgram *ElfFile::findProgram(quint32 address) const
{
    for (const ElfProgram &program : programList) {
        if (isLoadable(program) && program.header.vaddr <= address
                && address < quint64(program.header.vaddr) + program.header.memsz)
            return &program;
    }
    return nullptr;
}

QByteArray ElfFile::contents(const ElfProgram &program) const
{
    if (!program.hasData)
        return QByteArray();
    return bytes.mid(qsizetype(program.dataOffset), qsizetype(program.header.filesz));
}

const ElfSection *ElfFile::section(const QString &name) const
{
    return sectionsByName.value(name, nullptr);
}

const ElfSymbol *ElfFile::symbol(const QString &name) const
{
    const auto found = std::lower_bound(namedSymbols.begin(), namedSymbols.end(), name,
            [](const auto &symbol, const QString &key) { return symbol->name < key; });
    if (found == namedSymbols.end() || (*found)->name != name)
        return nullptr;
    return found->get();
}

QByteArray ElfFile::flashImage(quint8 padding, quint32 *lowestAddress) const
{
    struct Piece
    {
        quint64 address;
        quint32 offset;
        quint32 size;
    };
    std::vector<Piece> pieces;
    for (const ElfProgram &program : programList) {
        if (!isLoadable(program))
            continue;
        const Elf32ProgramHeader &segment = program.header;
        if (sections.empty()) {
            pieces.push_back({ segment.paddr, segment.offset, segment.filesz });
            continue;
        }
        for (const auto &section : sections) {
            const Elf32SectionHeader &header = section->header;
            const bool inside = header.offset >= segment.offset
                    && quint64(header.offset) + header.size
                            <= quint64(segment.offset) + segment.filesz;
            if (section->hasData && (header.flags & SHF_ALLOC) && header.size > 0 && inside)
                pieces.push_back({ quint64(segment.paddr) + (header.offset - segment.offset),
                        header.offset, header.size });
        }
    }
    *lowestAddress = 0;
    if (pieces.empty())
        return QByteArray();
    quint64 lowest = ~quint64(0);
    quint64 highest = 0;
    for (const Piece &piece : pieces) {
        lowest = std::min(lowest, piece.address);
        highest = std::max(highest, piece.address + piece.size);
    }
    if (highest - lowest > flashImageLimit || highest > quint64(1) << 32)
        throw HException("the loadable segments of " + path.toLatin1()
                + " span more than 1 GiB or pass address 0xFFFFFFFF");
    QByteArray image(qsizetype(highest - lowest), char(padding));
    for (const Piece &piece : pieces)
        std::memcpy(image.data() + (piece.address - lowest), bytes.constData() + piece.offset,
                piece.size);
    *lowestAddress = quint32(lowest);
    return image;
}
