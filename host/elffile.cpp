#include "host/elffile.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "host/byteorder.h"
#include "host/crc32.h"
#include "host/filereplace.h"
#include "host/hexception.h"
#include "host/hexrecords.h"

namespace {

const ESHostMethod<ElfFileESClass> methods[] = {
    { "load", 1, &ElfFileESClass::load,
            "<b>ElfFile.load(path)</b> loads Elf file from <i>path</i>." },
    { "save", 1, &ElfFileESClass::save,
            "<b>ElfFile.save(path)</b> saves Elf file to <i>path</i>." },
    { "peekUint32", 2, &ElfFileESClass::peekUint32,
            "<b>ElfFile.peekUint32(address, virtualNotPhysical)</b> returns a 32-bit word peeked "
            "from <i>address</i>. If <i>virtualNotPhysical</i> is true or undefined, "
            "<i>address</i> is a virtual address otherwise it is a physical address." },
    { "pokeUint32", 3, &ElfFileESClass::pokeUint32,
            "<b>ElfFile.pokeUint32(address, value, virtualNotPhysical)</b> poke a <i>value</i> to "
            "32-bit word located at <i>address</i>. If <i>virtualNotPhysical</i> is true or "
            "undefined, <i>address</i> is a virtual address otherwise it is a physical address." },
    { "peekBytes", 4, &ElfFileESClass::peekBytes,
            "<b>ElfFile.peekBytes(address, length, virtualNotPhysical, padding)</b> returns byte "
            "array containing <i>length</i> bytes peeked from <i>address</i>. If "
            "<i>virtualNotPhysical</i> is true or undefined, <i>address</i> is a virtual address "
            "otherwise it is a physical address. If <i>padding</i> is defined, it specifies the "
            "byte value used to fill gaps in the program." },
    { "pokeBytes", 3, &ElfFileESClass::pokeBytes,
            "<b>ElfFile.pokeBytes(address, byteArray, virtualNotPhysical)</b> poke byte array "
            "<i>byteArray</i> to <i>address</i>. If <i>virtualNotPhysical</i> is true or "
            "undefined, <i>address</i> is a virtual address otherwise it is a physical address." },
    { "crc32", 4, &ElfFileESClass::crc32,
            "<b>ElfFile.crc32(address, length, virtualNotPhysical, padding)</b> returns the CRC-32 "
            "checksum of an address range <i>length</i> bytes long, located at <i>address</i>. If "
            "<i>virtualNotPhysical</i> is true or undefined, <i>address</i> is a virtual address "
            "otherwise it is a physical address. If <i>padding</i> is defined, it specifies the "
            "byte value used to fill gaps in the program. This function computes a CRC-32 "
            "checksum on a block of data using the standard CRC-32 polynomial (0x04C11DB7) with an "
            "initial value of 0xFFFFFFFF. Note that this implementation doesn't reflect the input "
            "or the output and the result is inverted." },
    { "symbolValue", 1, &ElfFileESClass::symbolValue,
            "<b>ElfFile.symbolValue(symbol)</b> returns the value of <i>symbol</i> in Elf file." },
    { "isLittleEndian", 0, &ElfFileESClass::isLittleEndian,
            "<b>ElfFile.isLittleEndian()</b> returns true if the Elf file has numbers encoded as "
            "little endian." },
    { "getEntryPoint", 0, &ElfFileESClass::getEntryPoint,
            "<b>ElfFile.getEntryPoint()</b> returns the entry point in the ELF file." },
    { "findProgram", 1, &ElfFileESClass::findProgram,
            "<b>ElfFile.findProgram(address)</b> returns an object with <i>start</i>, the "
            "<i>data</i> and the <i>size</i> to allocate of the Elf program that contains "
            "<i>address</i>." },
    { "getSection", 1, &ElfFileESClass::getSection,
            "<b>ElfFile.getSection(name)</b> returns an object with <i>start</i> and the "
            "<i>data</i> of the Elf section corresponding to the <i>name</i>." },
    { "saveImage", 3, &ElfFileESClass::saveImage,
            "<b>ElfFile.saveImage(path, format, padding)</b> writes the loadable segments of the "
            "Elf file by physical address to <i>path</i>, as a flasher receives them, in "
            "<i>format</i> \"binary\", \"ihex\" (Intel HEX) or \"srec\" (Motorola S-records), "
            "and returns the lowest address. Gaps between segments are filled with bytes of value "
            "<i>padding</i> (0xFF if undefined)." },
};

// An omitted address-kind argument means a virtual address.
bool isVirtual(const ESValue &kind)
{
    return kind.isUndefined() || toBoolean(kind);
}

ESValue unsignedValue(quint32 n)
{
    return numberValue(double(n));
}

} // namespace

ElfFileESClass::ElfFileESClass() : ESHostClass("ElfFile") { }

ESObject *ElfFileESClass::install(ESContext *cx)
{
    ESObject *holder = ESHostClass::install(cx);
    installMethods(cx, holder, methods);
    return holder;
}

void ElfFileESClass::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    if (!callMethod(this, methods, 0, cx, function, count, arguments))
        ESHostClass::call(cx, function, thisObject, count, arguments);
}

void ElfFileESClass::load(ESContext *cx, int, ESValue *arguments)
{
    elf.load(toString(cx, arguments[0], 10));
    arguments[0] = undefinedValue();
}

void ElfFileESClass::save(ESContext *cx, int, ESValue *arguments)
{
    elf.save(toString(cx, arguments[0], 10));
    arguments[0] = undefinedValue();
}

void ElfFileESClass::peekUint32(ESContext *cx, int, ESValue *arguments)
{
    const quint32 address = toUint32(cx, arguments[0]);
    const unsigned char *word = elf.locate(address, 4, isVirtual(arguments[1]));
    arguments[0] = word ? unsignedValue(readUint32(word, !elf.isBigEndian())) : undefinedValue();
}

void ElfFileESClass::pokeUint32(ESContext *cx, int, ESValue *arguments)
{
    const quint32 address = toUint32(cx, arguments[0]);
    const quint32 value = toUint32(cx, arguments[1]);
    if (unsigned char *word = elf.locate(address, 4, isVirtual(arguments[2])))
        writeUint32(word, value, !elf.isBigEndian());
    arguments[0] = undefinedValue();
}

bool ElfFileESClass::gathered(ESContext *cx, ESValue *arguments, QByteArray *bytes)
{
    const quint32 address = toUint32(cx, arguments[0]);
    const quint32 length = toUint32(cx, arguments[1]);
    const bool virtualAddress = isVirtual(arguments[2]);
    const quint8 padding = arguments[3].isUndefined() ? 0 : quint8(toUint32(cx, arguments[3]));
    if (qint32(length) <= 0)
        return false;
    *bytes = elf.gather(address, length, virtualAddress, padding);
    return true;
}

void ElfFileESClass::peekBytes(ESContext *cx, int, ESValue *arguments)
{
    QByteArray bytes;
    arguments[0] =
            gathered(cx, arguments, &bytes) ? objectValue(makeArray(cx, bytes)) : undefinedValue();
}

void ElfFileESClass::crc32(ESContext *cx, int, ESValue *arguments)
{
    QByteArray bytes;
    if (!gathered(cx, arguments, &bytes)) {
        arguments[0] = undefinedValue();
        return;
    }
    arguments[0] = unsignedValue(::crc32(
            reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size())));
}

void ElfFileESClass::pokeBytes(ESContext *cx, int, ESValue *arguments)
{
    const quint32 address = toUint32(cx, arguments[0]);
    const QByteArray bytes = toByteArray(cx, arguments[1]);
    const bool virtualAddress = isVirtual(arguments[2]);
    unsigned char *target = bytes.isEmpty() || bytes.size() > qsizetype(0xFFFFFFFFu)
            ? nullptr
            : elf.locate(address, quint32(bytes.size()), virtualAddress);
    if (target)
        std::copy(bytes.begin(), bytes.end(), target);
    arguments[0] = makeBoolean(target != nullptr);
}

void ElfFileESClass::symbolValue(ESContext *cx, int, ESValue *arguments)
{
    const ElfSymbol *symbol = elf.symbol(toString(cx, arguments[0], 10));
    arguments[0] = symbol ? unsignedValue(symbol->value()) : undefinedValue();
}

void ElfFileESClass::isLittleEndian(ESContext *, int, ESValue *arguments)
{
    arguments[0] = makeBoolean(!elf.isBigEndian());
}

void ElfFileESClass::getEntryPoint(ESContext *, int, ESValue *arguments)
{
    arguments[0] = elf.isLoaded() ? unsignedValue(elf.header().entry) : undefinedValue();
}

void ElfFileESClass::findProgram(ESContext *cx, int, ESValue *arguments)
{
    const quint32 address = toUint32(cx, nameValue(intern(toString(cx, arguments[0], 10))));
    const ElfProgram *program = elf.findProgram(address);
    if (!program) {
        arguments[0] = undefinedValue();
        return;
    }
    ESObject *result = newObject(cx, cx->objectPrototype, cx->objectClass);
    putProperty(cx, result, intern("start"), unsignedValue(program->header.paddr));
    putProperty(cx, result, intern("size"), unsignedValue(program->header.memsz));
    putProperty(cx, result, intern("data"), objectValue(makeArray(cx, elf.contents(*program))));
    arguments[0] = objectValue(result);
}

void ElfFileESClass::getSection(ESContext *cx, int, ESValue *arguments)
{
    const ElfSection *section = elf.section(toString(cx, arguments[0], 10));
    if (!section) {
        arguments[0] = undefinedValue();
        return;
    }
    ESObject *result = newObject(cx, cx->objectPrototype, cx->objectClass);
    putProperty(cx, result, intern("start"), unsignedValue(section->header.addr));
    putProperty(cx, result, intern("data"), objectValue(makeArray(cx, section->contents())));
    arguments[0] = objectValue(result);
}

// A write that fails ends the run, as save's does; an unknown format is the script's mistake
// and raises a catchable Error before anything is written.
void ElfFileESClass::saveImage(ESContext *cx, int, ESValue *arguments)
{
    const QString path = toString(cx, arguments[0], 10);
    const QString format = toString(cx, arguments[1], 10);
    const quint8 padding = arguments[2].isUndefined() ? 0xFF : quint8(toUint32(cx, arguments[2]));
    if (format != u"binary" && format != u"ihex" && format != u"srec")
        throwPlainError(cx,
                QStringLiteral("unknown image format \"%1\" (known: binary, ihex, srec)")
                        .arg(format));
    const QByteArray target = path.toLatin1();
    if (!elf.isLoaded())
        throw HException("no ELF file loaded to save to " + target);
    quint32 lowest = 0;
    QByteArray image = elf.flashImage(padding, &lowest);
    if (format != u"binary") {
        const HexFormat hexFormat = format == u"ihex" ? HexFormat::IntelHex : HexFormat::SRecord;
        image = writeHexRecords(hexFormat,
                reinterpret_cast<const unsigned char *>(image.constData()),
                std::size_t(image.size()), lowest, elf.header().entry,
                target.mid(target.lastIndexOf('/') + 1));
    }
    const ReplaceResult result
            = replaceFile(target, image.constData(), std::size_t(image.size()), 0600);
    if (result == ReplaceResult::CannotOpen)
        throw HException("cannot open " + target);
    if (result == ReplaceResult::WriteFailed)
        throw HException("cannot write " + target);
    arguments[0] = unsignedValue(lowest);
}
