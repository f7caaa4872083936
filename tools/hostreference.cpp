// Writes the reference of the host objects as Markdown, read from the objects the runner
// installs, so the text always matches the method tables: name, argument count, label and help.
//   build/brindle-hostreference > docs/host-objects.md

#include "engine/context.h"
#include "engine/convert.h"
#include "host/binaryfile.h"
#include "host/elffile.h"
#include "host/wscript.h"
#include "runner/brindleqvsys.h"

#include <QString>

#include <cstdio>

namespace {

QString textOf(ESContext *cx, const ESValue &value)
{
    return toString(cx, value, 10);
}

// The help texts are simple HTML; Markdown shows <b> and <i> as they are meant.
void writeObject(ESContext *cx, ESObject *holder, const char *name)
{
    printf("## %s\n\n", name);
    printf("| method | arguments | label | description |\n|---|---|---|---|\n");
    for (const ESProperty &property : holder->properties) {
        if (!property.name || property.value.kind() != ESKind::Object)
            continue;
        ESObject *function = property.value.asObject();
        const ESValue length = getProperty(cx, function, intern(QStringLiteral("length")));
        const ESValue help = getProperty(cx, function, intern(QStringLiteral("help")));
        const QString helpText = help.isUndefined() ? QStringLiteral("(none)") : textOf(cx, help);
        printf("| %s | %d | %s | %s |\n", qPrintable(property.name->text),
                int(toNumber(cx, length)), qPrintable(textOf(cx, function->internalValue)),
                qPrintable(QString(helpText).replace(u'|', QStringLiteral("\\|"))));
    }
    printf("\n");
}

} // namespace

int main()
{
    ESContext *cx = setUpContext(nullptr, new ESContext);
    WScriptESClass wscript;
    BrindleQVSysESClass qvsys;
    BinaryFileESClass binaryFile;
    ElfFileESClass elfFile;
    printf("# Host objects\n\n"
           "Generated from the method tables by `brindle-hostreference`; do not edit.\n"
           "Every method also carries its description in its `help` property.\n\n");
    writeObject(cx, wscript.install(cx), "WScript");
    writeObject(cx, qvsys.install(cx), "QVSys");
    writeObject(cx, binaryFile.install(cx), "BinaryFile");
    writeObject(cx, elfFile.install(cx), "ElfFile");
    delete cx;
    return 0;
}
