// Writes the reference of the host objects as Markdown: for every method, what its table says
// (name, declared argument count, label, help text) read from the objects the runner installs,
// followed by the hand-written section for it in the reference file beside the table.
//   build/brindle-hostreference SOURCE-FOLDER [OUTPUT]
// A reference file holds an introduction, then one section per method, each begun by a line
// "### <method name>". A method without a section, or a section that names no method, is an
// error, so the reference cannot drift from the tables.

#include "engine/context.h"
#include "engine/convert.h"
#include "host/binaryfile.h"
#include "host/elffile.h"
#include "host/wscript.h"
#include "runner/brindleqvsys.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <iterator>
#include <vector>

namespace {

QStringList problems;

// One reference file: the text before its first section, then the sections by method name.
struct Reference
{
    QString fileName; // as given, relative to the source folder, for the messages
    QString introduction;
    QMap<QString, QString> sections;
    QStringList order; // the section names in file order, to report strays in that order
};

QString trimmedBlock(const QStringList &lines)
{
    QString text = lines.join(u'\n');
    while (text.endsWith(u'\n') || text.endsWith(u' '))
        text.chop(1);
    while (text.startsWith(u'\n'))
        text.remove(0, 1);
    return text;
}

Reference readReference(const QDir &sourceFolder, const QString &fileName)
{
    Reference reference;
    reference.fileName = fileName;
    QFile file(sourceFolder.filePath(fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        problems << QStringLiteral("cannot read %1: %2").arg(fileName, file.errorString());
        return reference;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QString current;
    QStringList body;
    bool inSection = false;
    auto finish = [&]() {
        if (!inSection) {
            reference.introduction = trimmedBlock(body);
        } else if (reference.sections.contains(current)) {
            problems << QStringLiteral("%1: two sections \"### %2\"").arg(fileName, current);
        } else {
            reference.sections.insert(current, trimmedBlock(body));
            reference.order << current;
        }
        body.clear();
    };
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("### "))) {
            finish();
            current = line.mid(4).trimmed();
            inSection = true;
        } else {
            body << line;
        }
    }
    finish();
    return reference;
}

// A method as the installed object publishes it.
struct Method
{
    QString name;
    qint32 nativeIndex;
    int argumentCount;
    QString label;
    QString help; // empty when the method has none
};

std::vector<Method> methodsOf(ESContext *cx, ESObject *holder)
{
    std::vector<Method> methods;
    for (const ESProperty &property : holder->properties) {
        if (!property.name || property.value.kind() != ESKind::Object)
            continue;
        ESObject *function = property.value.asObject();
        const ESValue length = getProperty(cx, function, intern(QStringLiteral("length")));
        const ESValue help = getProperty(cx, function, intern(QStringLiteral("help")));
        methods.push_back({ property.name->text, function->nativeIndex, int(toNumber(cx, length)),
                toString(cx, function->internalValue, 10),
                help.isUndefined() ? QString() : toString(cx, help, 10) });
    }
    return methods;
}

// The methods of one object whose native indexes run from firstIndex up to endIndex are
// described in one reference file; a file may serve several ranges (QVSys's own rows come
// before and after the runner's exit).
struct TablePart
{
    const char *fileName;
    qint32 firstIndex;
    qint32 endIndex = INT32_MAX;
};

QString describe(ESContext *cx, ESObject *holder, const QString &objectName,
        const QDir &sourceFolder, std::initializer_list<TablePart> parts)
{
    const std::vector<Method> methods = methodsOf(cx, holder);
    QString text = QStringLiteral("## %1\n\n").arg(objectName);
    QString index = QStringLiteral("| method | arguments | label |\n|---|---|---|\n");
    QString sections;
    QMap<QString, Reference> references;
    QStringList fileOrder;
    for (const TablePart &part : parts) {
        const QString fileName = QLatin1String(part.fileName);
        if (!references.contains(fileName)) {
            references.insert(fileName, readReference(sourceFolder, fileName));
            fileOrder << fileName;
            const QString &introduction = references[fileName].introduction;
            if (!introduction.isEmpty())
                text += introduction + QStringLiteral("\n\n");
        }
        Reference &reference = references[fileName];
        for (const Method &method : methods) {
            if (method.nativeIndex < part.firstIndex || method.nativeIndex >= part.endIndex)
                continue;
            const QString fullName = objectName + u'.' + method.name;
            const QString anchor = fullName.toLower().remove(u'.');
            index += QStringLiteral("| [%1](#%2) | %3 | %4 |\n")
                             .arg(method.name, anchor)
                             .arg(method.argumentCount)
                             .arg(method.label);
            sections += QStringLiteral("### %1\n\n").arg(fullName);
            sections += QStringLiteral("Label `%1`, %2 declared argument%3. ")
                                .arg(method.label)
                                .arg(method.argumentCount)
                                .arg(method.argumentCount == 1 ? QString() : QStringLiteral("s"));
            sections += method.help.isEmpty() ? QStringLiteral("No `help` text.\n\n")
                                              : QStringLiteral("Help: %1\n\n").arg(method.help);
            if (!reference.sections.contains(method.name)) {
                problems << QStringLiteral("%1 has no section \"### %2\" for %3")
                                    .arg(reference.fileName, method.name, fullName);
                continue;
            }
            sections += reference.sections.take(method.name) + QStringLiteral("\n\n");
        }
    }
    for (const QString &fileName : std::as_const(fileOrder)) {
        const Reference &reference = references[fileName];
        for (const QString &stray : reference.order) {
            if (reference.sections.contains(stray))
                problems << QStringLiteral("%1: section \"### %2\" names no method of %3")
                                    .arg(reference.fileName, stray, objectName);
        }
    }
    return text + index + u'\n' + sections;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        fputs("usage: brindle-hostreference SOURCE-FOLDER [OUTPUT]\n", stderr);
        return 1;
    }
    const QDir sourceFolder(QString::fromLocal8Bit(argv[1]));
    ESContext *cx = setUpContext(nullptr, new ESContext);
    WScriptESClass wscript;
    BrindleQVSysESClass qvsys;
    BinaryFileESClass binaryFile;
    ElfFileESClass elfFile;
    QString text = QStringLiteral(
            "# Host objects\n\n"
            "Generated by `brindle-hostreference` from the method tables and the reference files "
            "beside them (`host/*-reference.md`, `runner/brindleqvsys-reference.md`); edit those "
            "and run `ninja -C build host-reference`. Every method also carries its help text, "
            "where it has one, in its `help` property: `WScript.Echo(QVSys.copyFile.help)`.\n\n");
    text += describe(cx, wscript.install(cx), QStringLiteral("WScript"), sourceFolder,
            { { "host/wscript-reference.md", 0 } });
    text += describe(cx, qvsys.install(cx), QStringLiteral("QVSys"), sourceFolder,
            { { "host/qvsys-reference.md", 0, qint32(std::size(QVSysESClass::methods)) },
                    { "runner/brindleqvsys-reference.md",
                            qint32(std::size(QVSysESClass::methods)),
                            QVSysESClass::addedFirstIndex },
                    { "host/qvsys-reference.md", QVSysESClass::addedFirstIndex } });
    text += describe(cx, binaryFile.install(cx), QStringLiteral("BinaryFile"), sourceFolder,
            { { "host/binaryfile-reference.md", 0 } });
    text += describe(cx, elfFile.install(cx), QStringLiteral("ElfFile"), sourceFolder,
            { { "host/elffile-reference.md", 0 } });
    text.chop(1); // one line end at the end of the file, not a blank line
    delete cx;

    if (!problems.isEmpty()) {
        for (const QString &problem : std::as_const(problems))
            fprintf(stderr, "brindle-hostreference: %s\n", qPrintable(problem));
        return 1;
    }
    const QByteArray bytes = text.toUtf8();
    if (argc == 2) {
        fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return 0;
    }
    // Written beside the target and renamed, so a failed run leaves the old reference whole.
    QSaveFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size()
            || !output.commit()) {
        fprintf(stderr, "brindle-hostreference: cannot write %s: %s\n", argv[2],
                qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
