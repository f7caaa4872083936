#include "runner/runsequence.h"

#include "engine/convert.h"
#include "engine/evaluate.h"
#include "host/binaryfile.h"
#include "host/elffile.h"
#include "host/hexception.h"
#include "host/wscript.h"
#include "runner/brindleargparse.h"

#include <cstdio>
#include <memory>

namespace {

// An uncaught script error ends the run with its message.
void checkCompletion(ESContext *cx, const ESCompletion &completion)
{
    if (completion.type == ESCompletion::Normal)
        return;
    const ESValue &thrown = completion.value;
    if (thrown.isObject() && isPrototypeOf(cx->errorClass->prototype, thrown))
        throw HException(toString(cx, getProperty(cx, thrown.asObject(), names::message))
                        .toLatin1());
    throw HException("uncaught exception - " + toString(cx, thrown).toLatin1());
}

void runAll(ESContext *cx, const BrindleArgParse &parser)
{
    for (const QString &definition : parser.definitions) {
        const QStringList parts = definition.split(u'=', Qt::SkipEmptyParts);
        if (parts.size() >= 2)
            defineProperty(cx, cx->globalObject, DontEnum, intern(parts[0]),
                    nameValue(intern(parts[1])));
    }
    for (const QString &file : parser.loadFiles) {
        ESCompletion completion;
        if (!loadWithSearchPath(cx, file, completion))
            throw HException("cannot load " + file.toLatin1());
        checkCompletion(cx, completion);
    }
    const QString text = parser.scriptPieces.join(u'\n');
    if (!text.isEmpty())
        checkCompletion(cx, evaluate(cx, QString(), text));
}

} // namespace

int runScripts(const BrindleArgParse &parser)
{
    std::unique_ptr<ESContext> cx(setUpContext(nullptr, nullptr));
    WScriptESClass wscript;
    wscript.install(cx.get());
    BinaryFileESClass binaryFile;
    binaryFile.install(cx.get());
    ElfFileESClass elfFile;
    elfFile.install(cx.get());
    try {
        runAll(cx.get(), parser);
    } catch (const HException &error) {
        fprintf(stderr, "error: %s\n", error.message().constData());
        return 1;
    }
    return 0;
}
