#include "host/qvsys.h"

#include "builtins/timevalue.h"
#include "engine/bytepath.h"
#include "engine/context.h"
#include "engine/convert.h"
#include "engine/elements.h"
#include "host/checksumargument.h"
#include "host/commandwords.h"
#include "host/crc32.h"
#include "host/filecopy.h"
#include "host/filereplace.h"
#include "host/hostpath.h"
#include "host/localetext.h"
#include "host/processrunner.h"
#include "host/yesnoquestion.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

// clang-format off
const ESHostMethod<QVSysESClass> QVSysESClass::methods[19] = {
    { "renameFile", 2, &QVSysESClass::renameFile,
      "<b>QVSys.renameFile(oldPath, newPath)</b> renames file <i>oldPath</i> to be <i>newPath</i>." },
    { "copyFile", 2, &QVSysESClass::copyFile,
      "<b>QVSys.copyFile(srcPath, destPath)</b> copies file <i>srcPath</i> to <i>destPath</i>." },
    { "removeFile", 1, &QVSysESClass::removeFile,
      "<b>QVSys.removeFile(path)</b> deletes file <i>path</i>." },
    { "fileExists", 1, &QVSysESClass::fileExists,
      "<b>QVSys.fileExists(path)</b> returns true if file <i>path</i> exists." },
    { "fileSize", 1, &QVSysESClass::fileSize,
      "<b>QVSys.fileSize(path)</b> return the number of bytes in file <i>path</i>." },
    { "makeDirectory", 1, &QVSysESClass::makeDirectory,
      "<b>QVSys.makeDirectory(path)</b> create the directory <i>path</i>." },
    { "removeDirectory", 1, &QVSysESClass::removeDirectory,
      "<b>QVSys.removeDirectory(path)</b> remove the directory <i>path</i>." },
    { "writeStringToFile", 2, &QVSysESClass::writeStringToFile,
      "<b>QVSys.writeStringToFile(path, string)</b> creates a file <i>path</i> containing <i>string</i>." },
    { "readStringFromFile", 1, &QVSysESClass::readStringFromFile,
      "<b>QVSys.readStringFromFile(path)</b> returns the string contained in the file <i>path</i>." },
    { "writeByteArrayToFile", 2, &QVSysESClass::writeByteArrayToFile,
      "<b>QVSys.writeByteArrayToFile(path, array)</b> creates a file <i>path</i> containing the byte array <i>array</i>." },
    { "readByteArrayFromFile", 1, &QVSysESClass::readByteArrayFromFile,
      "<b>QVSys.readByteArrayFromFile(path)</b> returns the byte array contained in the file <i>path</i>." },
    { "crc32", 1, &QVSysESClass::crc32,
      "<b>QVSys.crc32(array)</b> returns the CRC-32 checksum of the byte array <i>array</i>. This function computes a CRC-32 checksum on a block of data using the standard CRC-32 polynomial (0x04C11DB7) with an initial value of 0xFFFFFFFF. Note that this implementation doesn't reflect the input or the output and the result is inverted." },
    { "run", 2, &QVSysESClass::run,
      "<b>QVSys.run(cmd, wait)</b> runs command line <i>cmd</i> optionally waits for it to complete if <i>wait</i> is true." },
    { "getRunStdout", 0, &QVSysESClass::runStdout,
      "<b>QVSys.getRunStdout()</b> returns the stdout output from the last <i>QVSys.run()</i> call." },
    { "getRunStderr", 0, &QVSysESClass::runStderr,
      "<b>QVSys.getRunStderr()</b> returns the stderr output from the last <i>QVSys.run()</i> call." },
    { "packU32", 4, &QVSysESClass::packU32,
      "<b>QVSys.packU32(array, offset, number, le)</b> packs <i>number</i> into the <i>array</i> at <i>offset</i>." },
    { "unpackU32", 3, &QVSysESClass::unpackU32,
      "<b>QVSys.unpackU32(array, offset, le)</b> returns the number unpacked from the <i>array</i> at <i>offset</i>." },
    { "popup", 1, &QVSysESClass::popup,
      "<b>QVSys.popup(text)</b> prompt the user with text and return true for yes and false for no." },
    { "appendStringToFile", 2, &QVSysESClass::appendStringToFile,
      "<b>QVSys.appendStringToFile(path, string)</b> appends <i>string</i> to the end of the file <i>path</i>." },
};

const ESHostMethod<QVSysESClass> QVSysESClass::addedMethods[4] = {
    { "checksum", 2, &QVSysESClass::checksum,
      "<b>QVSys.checksum(byteArray, algorithm)</b> returns the checksum named <i>algorithm</i> of the byte array <i>byteArray</i>: a number for the CRCs \"crc32/bzip2\" (as crc32), \"crc32/iso-hdlc\", \"crc32/mpeg-2\", \"crc32/iscsi\", \"crc16/xmodem\", \"crc16/ibm-3740\", \"crc16/modbus\", \"crc16/kermit\" and \"crc8/smbus\", lowercase hexadecimal text for the digests \"sha256\", \"sha1\" and \"md5\"." },
    { "getEnvironment", 1, &QVSysESClass::getEnvironment,
      "<b>QVSys.getEnvironment(name)</b> returns the text of the environment variable <i>name</i>, or undefined when it is not set." },
    { "listDirectory", 2, &QVSysESClass::listDirectory,
      "<b>QVSys.listDirectory(path, pattern)</b> returns an array of the names of the files and folders in the directory <i>path</i>, sorted, only those matching the wildcard <i>pattern</i> (as in the shell: *, ? and [...]) when it is given." },
    { "fileTime", 1, &QVSysESClass::fileTime,
      "<b>QVSys.fileTime(path)</b> returns the time the file <i>path</i> was last modified as a Date." },
};
// clang-format on

namespace {

QString pathArgument(ESContext *cx, const ESValue &value)
{
    return toString(cx, value);
}

QByteArray systemPathArgument(ESContext *cx, const ESValue &value)
{
    return systemPath(toString(cx, value));
}

// A write that fails (a full disk) answers false like a file that cannot be opened.
bool replaced(const QByteArray &path, const QByteArray &bytes)
{
    return replaceFile(path, bytes.constData(), std::size_t(bytes.size()), defaultNewFileMode())
            == ReplaceResult::Written;
}

// A failed system call on a path, as the script sees it: what was tried, the path and why.
[[noreturn]] void throwPathError(ESContext *cx, const char *what, const QByteArray &path, int error)
{
    throwPlainError(cx,
            QStringLiteral("%1 %2: %3")
                    .arg(QLatin1String(what), QString::fromLatin1(path),
                            QString::fromLocal8Bit(strerror(error))));
}

} // namespace

ESObject *QVSysESClass::install(ESContext *cx)
{
    ESObject *holder = installTable(cx);
    installAddedMethods(cx, holder);
    return holder;
}

ESObject *QVSysESClass::installTable(ESContext *cx)
{
    ESObject *holder = ESClass::install(cx);
    installMethods(cx, holder, methods);
    return holder;
}

void QVSysESClass::installAddedMethods(ESContext *cx, ESObject *holder)
{
    installMethods(cx, holder, addedMethods, addedFirstIndex);
}

void QVSysESClass::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    if (!callMethod(this, methods, 0, cx, function, count, arguments)
            && !callMethod(this, addedMethods, addedFirstIndex, cx, function, count, arguments))
        ESClass::call(cx, function, thisObject, count, arguments);
}

void QVSysESClass::renameFile(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray from = systemPathArgument(cx, arguments[0]);
    const QByteArray to = systemPathArgument(cx, arguments[1]);
    arguments[0] = makeBoolean(rename(from.constData(), to.constData()) == 0);
}

void QVSysESClass::copyFile(ESContext *cx, int, ESValue *arguments)
{
    const QString source = pathArgument(cx, arguments[0]);
    const QString target = pathArgument(cx, arguments[1]);
    arguments[0] = makeBoolean(::copyFile(source, target));
}

void QVSysESClass::removeFile(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = systemPath(cleanedPath(pathArgument(cx, arguments[0])));
    arguments[0] = makeBoolean(unlink(path.constData()) == 0);
}

void QVSysESClass::fileExists(ESContext *cx, int, ESValue *arguments)
{
    struct stat status;
    const QByteArray path = systemPathArgument(cx, arguments[0]);
    arguments[0] = makeBoolean(stat(path.constData(), &status) == 0);
}

// Sizes are 32-bit counts for scripts: a file of 4 GiB or more reports its size modulo 2^32.
void QVSysESClass::fileSize(ESContext *cx, int, ESValue *arguments)
{
    QFile file;
    const bool opened =
            openByBytes(file, systemPathArgument(cx, arguments[0]), QIODevice::ReadOnly);
    const quint32 size = opened ? quint32(file.size()) : 0;
    arguments[0] = numberValue(size);
}

void QVSysESClass::makeDirectory(ESContext *cx, int, ESValue *arguments)
{
    arguments[0] = makeBoolean(makeDirectoryPath(pathArgument(cx, arguments[0])));
}

void QVSysESClass::removeDirectory(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = systemPath(cleanedPath(pathArgument(cx, arguments[0])));
    arguments[0] = makeBoolean(rmdir(path.constData()) == 0);
}

// The text is written in the locale's encoding as replaceFile writes: a failed write never
// leaves half a file.
void QVSysESClass::writeStringToFile(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = systemPathArgument(cx, arguments[0]);
    const QByteArray bytes = encodeLocaleText(toString(cx, arguments[1]));
    arguments[0] = makeBoolean(replaced(path, bytes));
}

void QVSysESClass::appendStringToFile(ESContext *cx, int, ESValue *arguments)
{
    QFile file;
    if (!openByBytes(file, systemPathArgument(cx, arguments[0]),
                QIODevice::WriteOnly | QIODevice::Append)) {
        arguments[0] = makeBoolean(false);
        return;
    }
    const QByteArray bytes = encodeLocaleText(toString(cx, arguments[1]));
    arguments[0] = makeBoolean(file.write(bytes) == bytes.size() && file.flush());
}

void QVSysESClass::readStringFromFile(ESContext *cx, int, ESValue *arguments)
{
    QFile file;
    if (!openByBytes(file, systemPathArgument(cx, arguments[0]), QIODevice::ReadOnly)) {
        arguments[0] = ESValue();
        return;
    }
    arguments[0] = nameValue(intern(decodeLocaleText(file.readAll())));
}

// Every argument after the path is a byte array, written in order. All are converted before
// the file is touched, so one that is not an array leaves the file as it was.
void QVSysESClass::writeByteArrayToFile(ESContext *cx, int count, ESValue *arguments)
{
    const QByteArray path = systemPathArgument(cx, arguments[0]);
    QByteArray bytes;
    for (int i = 1; i < count; ++i)
        bytes += toByteArray(cx, arguments[i]);
    arguments[0] = makeBoolean(replaced(path, bytes));
}

void QVSysESClass::readByteArrayFromFile(ESContext *cx, int, ESValue *arguments)
{
    QFile file;
    if (!openByBytes(file, systemPathArgument(cx, arguments[0]), QIODevice::ReadOnly)) {
        arguments[0] = ESValue();
        return;
    }
    const QByteArray bytes = file.read(quint32(file.size()));
    arguments[0] = objectValue(makeArray(cx, bytes));
}

void QVSysESClass::crc32(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray bytes = toByteArray(cx, arguments[0]);
    if (bytes.isEmpty()) {
        arguments[0] = ESValue();
        return;
    }
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    arguments[0] = numberValue(::crc32(data, size_t(bytes.size())));
}

// A waited-for command's lines replace the previous ones; a command left running in the
// background writes straight to the runner's own streams and leaves them alone.
void QVSysESClass::run(ESContext *cx, int, ESValue *arguments)
{
    const bool wait = toBoolean(arguments[1]);
    const QList<QByteArray> words = splitCommandWords(toString(cx, arguments[0]));
    if (wait) {
        stdoutLines.clear();
        stderrLines.clear();
        CapturingProcess process(&stdoutLines, &stderrLines);
        arguments[0] = numberValue(process.run(words, true, true));
    } else {
        CapturingProcess process(nullptr, nullptr);
        arguments[0] = numberValue(process.run(words, false, false));
    }
}

void QVSysESClass::runStdout(ESContext *, int, ESValue *arguments)
{
    arguments[0] = nameValue(intern(QString::fromLatin1(stdoutLines.joined())));
}

void QVSysESClass::runStderr(ESContext *, int, ESValue *arguments)
{
    arguments[0] = nameValue(intern(QString::fromLatin1(stderrLines.joined())));
}

// Big-endian unless le is true; a non-object first argument is handed back untouched.
void QVSysESClass::packU32(ESContext *cx, int, ESValue *arguments)
{
    if (!arguments[0].isObject())
        return;
    ESObject *array = arguments[0].asObject();
    const quint32 offset = toUint32(cx, arguments[1]);
    const quint32 number = toUint32(cx, arguments[2]);
    const bool little = toBoolean(arguments[3]);
    for (quint32 i = 0; i < 4; ++i) {
        const quint32 shift = little ? 8 * i : 8 * (3 - i);
        putElement(cx, array, offset + i, numberValue((number >> shift) & 0xff));
    }
    arguments[0] = ESValue();
}

void QVSysESClass::unpackU32(ESContext *cx, int, ESValue *arguments)
{
    if (!arguments[0].isObject())
        return;
    ESObject *array = arguments[0].asObject();
    const quint32 offset = toUint32(cx, arguments[1]);
    const bool little = toBoolean(arguments[2]);
    quint32 number = 0;
    for (quint32 i = 0; i < 4; ++i) {
        const quint32 byte = toUint8(cx, getElement(cx, array, offset + i));
        number |= byte << (little ? 8 * i : 8 * (3 - i));
    }
    arguments[0] = numberValue(number);
}

void QVSysESClass::popup(ESContext *cx, int, ESValue *arguments)
{
    arguments[0] =
            makeBoolean(askYesOrNo(QStringLiteral("QVSys.popup"), toString(cx, arguments[0])));
}

void QVSysESClass::checksum(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray bytes = toByteArray(cx, arguments[0]);
    const ChecksumAlgorithm &algorithm = checksumArgument(cx, arguments[1]);
    arguments[0] = checksumValue(algorithm,
            reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()));
}

// A variable set to the empty text is "", one not set at all undefined.
void QVSysESClass::getEnvironment(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray name = toString(cx, arguments[0]).toLatin1();
    if (name.contains('\0') || !qEnvironmentVariableIsSet(name.constData())) {
        arguments[0] = undefinedValue();
        return;
    }
    arguments[0] = nameValue(intern(QString::fromLatin1(qgetenv(name.constData()))));
}

// Names are read and matched as the bytes they are on disk, so a name that is not valid in the
// locale's encoding still comes back as it can be passed to the other methods. A leading dot
// is matched like any other character: "*" lists hidden files too.
void QVSysESClass::listDirectory(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = toString(cx, arguments[0]).toLatin1();
    const bool filtered = !arguments[1].isUndefined();
    const QByteArray pattern = filtered ? toString(cx, arguments[1]).toLatin1() : QByteArray();
    DIR *directory = ::opendir(path.constData());
    if (!directory)
        throwPathError(cx, "cannot list", path, errno);
    std::vector<QByteArray> names;
    for (;;) {
        errno = 0; // readdir tells the end from a failure only by errno
        const dirent *entry = ::readdir(directory);
        if (!entry)
            break;
        const char *name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        if (!filtered || ::fnmatch(pattern.constData(), name, 0) == 0)
            names.emplace_back(name);
    }
    const int error = errno;
    ::closedir(directory);
    if (error != 0)
        throwPathError(cx, "cannot list", path, error);
    std::sort(names.begin(), names.end()); // byte order, whatever the locale
    QStringList texts;
    for (const QByteArray &name : names)
        texts.append(QString::fromLatin1(name));
    arguments[0] = objectValue(makeArray(cx, texts));
}

// A Date counts local wall-clock time, so the file's time is read in the local zone and kept
// as those fields.
void QVSysESClass::fileTime(ESContext *cx, int, ESValue *arguments)
{
    const QByteArray path = toString(cx, arguments[0]).toLatin1();
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        throwPathError(cx, "cannot read the time of", path, errno);
    const qint64 ms = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    ESObject *date = newObject(cx, cx->datePrototype, cx->dateClass);
    date->internalValue = numberValue(timevalue::timeValueOf(QDateTime::fromMSecsSinceEpoch(ms)));
    arguments[0] = objectValue(date);
}
