#include "runner/runsequence.h"

#include "engine/context.h"
#include "engine/convert.h"
#include "engine/evaluate.h"
#include "host/binaryfile.h"
#include "host/elffile.h"
#include "host/hexception.h"
#include "host/wscript.h"
#include "runner/brindleargparse.h"
#include "runner/brindleqvsys.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Where an uncaught value came from: an error the engine raised says so itself; for a value
// a throw statement raised, the context noted the statement. Only texts and numbers are taken
// from the error, so that reporting it runs no script code.
void locate(ESContext *cx, const ESValue &value, HException &failure)
{
    if (isPrototypeOf(cx->errorClass->prototype, value)) {
        ESObject *error = value.asObject();
        const ESValue fileName = getProperty(cx, error, names::fileName);
        const ESValue line = getProperty(cx, error, names::lineNumber);
        const ESValue sourceLine = getProperty(cx, error, names::sourceLine);
        if (fileName.isString())
            failure.fileName = toString(cx, fileName);
        if (line.kind() == ESKind::Number)
            failure.line = toUint32(cx, line);
        if (sourceLine.isString())
            failure.sourceLine = toString(cx, sourceLine);
    }
    if (failure.hasSite() || !cx->hasThrown || !strictEquals(cx, cx->lastThrown, value))
        return;
    const ESSourceSite &site = cx->lastThrowSite;
    failure.fileName = site.fileName;
    if (site.sourceLine(failure.sourceLine))
        failure.line = site.line;
}

// A script that ended with an uncaught exception ends the run: an error object reports its
// message, any other value is shown as text.
void checkCompletion(ESContext *cx, const ESCompletion &completion)
{
    if (completion.type != ESCompletion::Throw)
        return;
    const ESValue &value = completion.value;
    QString message;
    if (isPrototypeOf(cx->errorClass->prototype, value))
        message = toString(cx, getProperty(cx, value.asObject(), names::message));
    else
        message = QStringLiteral("uncaught exception - ") + toString(cx, value);
    HException failure(message.toLatin1());
    locate(cx, value, failure);
    throw failure;
}

// "  at FILE:LINE: SOURCE-LINE", with only the parts that are known.
QByteArray siteLine(const HException &failure)
{
    QStringList place;
    if (!failure.fileName.isEmpty())
        place << failure.fileName;
    if (failure.line != 0)
        place << QString::number(failure.line);
    QString text = place.join(u':');
    const QString sourceLine = failure.sourceLine.trimmed();
    if (!sourceLine.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(": ")) + sourceLine;
    return "  at " + text.toLatin1() + '\n';
}

// Every definition is a string the script sees as a global variable, hidden from for-in.
void define(ESContext *cx, const QString &definition, bool verbose)
{
    const QStringList parts = definition.split(u'=', Qt::SkipEmptyParts);
    if (parts.size() < 2)
        throw HException("cannot define " + definition.toLatin1());
    if (verbose)
        printf("defining: %s=%s\n", parts[0].toLatin1().constData(),
                parts[1].toLatin1().constData());
    defineProperty(cx, cx->globalObject, DontEnum, intern(parts[0]), nameValue(intern(parts[1])));
}

void load(ESContext *cx, const QString &fileName, bool verbose)
{
    if (verbose)
        printf("loading: %s\n", fileName.toLatin1().constData());
    ESCompletion completion;
    if (!loadWithSearchPath(cx, fileName, completion))
        throw HException("cannot load " + fileName.toLatin1());
    checkCompletion(cx, completion);
}

void runSequence(const BrindleArgParse &parser)
{
    // The host classes live through the run; the context's function objects point at them.
    WScriptESClass wscript;
    BrindleQVSysESClass qvsys;
    BinaryFileESClass binaryFile;
    ElfFileESClass elfFile;
    ESHostClass *const hostClasses[] = { &wscript, &qvsys, &binaryFile, &elfFile };

    // The context is never destroyed: the process ends right after the run, and freeing the
    // millions of objects a script may make, one by one, can take longer than making them. The
    // pointer keeps it reachable, so leak checkers do not count it.
    static ESContext *runContext = nullptr;
    runContext = new ESContext;
    ESContext *const cx = runContext;
    setUpContext(nullptr, cx);
    for (ESHostClass *hostClass : hostClasses)
        hostClass->install(cx);
    srand(unsigned(time(nullptr)));

    for (const QString &definition : parser.definitions)
        define(cx, definition, parser.verbose);
    for (const QString &fileName : parser.loadFiles)
        load(cx, fileName, parser.verbose);
    const QString script = parser.scriptPieces.join(u'\n');
    if (script.isEmpty())
        return;
    if (parser.verbose)
        printf("executing: %s\n", script.toLatin1().constData());
    checkCompletion(cx, evaluate(cx, QString(), script));
}

} // namespace

int runScripts(const BrindleArgParse &parser)
{
    try {
        runSequence(parser);
        return 0;
    } catch (const HException &e) {
        fprintf(stderr, "error: %s\n", e.message().constData());
        if (parser.verbose && e.hasSite())
            fputs(siteLine(e).constData(), stderr);
    } catch (...) {
        fputs("Internal error detected\n", stderr);
    }
    return 1;
}
