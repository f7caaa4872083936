#include "engine/evaluate.h"

#include "engine/bytepath.h"
#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/exceptions.h"
#include "engine/global.h"
#include "engine/vm.h"

#include <QFile>

#include <memory>

namespace {

// The machine registers at the start of an evaluation. An error may leave nested runs with
// any of them changed; putting them back lets a script go on after an eval that failed.
struct ESMachineState
{
    explicit ESMachineState(const ESContext *cx)
        : sp(cx->sp), scopeChain(cx->scopeChain), thisObject(cx->thisObject), argBase(cx->argBase),
          frameArgCount(cx->frameArgCount)
    { }
    void restore(ESContext *cx) const
    {
        cx->sp = sp;
        cx->scopeChain = scopeChain;
        cx->thisObject = thisObject;
        cx->argBase = argBase;
        cx->frameArgCount = frameArgCount;
    }
    qint32 sp;
    ESObject *scopeChain;
    ESObject *thisObject;
    ESValue *argBase;
    qint32 frameArgCount;
};

} // namespace

ESValue runProgram(ESContext *cx, ESCodeUnit *unit)
{
    const qint32 sp = cx->sp;
    ESValue saved = cx->tos;
    run(cx, unit);
    ESValue result = cx->tos;
    // The run pushed the entry tos below its result; a stopped run may have left less.
    cx->tos = std::move(saved);
    cx->sp = sp;
    return result;
}

ESCompletion evaluate(ESContext *cx, const QString &fileName, const QString &text)
{
    cx->fileName = fileName;
    cx->source = text;
    const ESMachineState state(cx);
    const ESValue tos = cx->tos;
    ESCompletion completion;
    try {
        std::unique_ptr<ESCodeUnit> unit;
        {
            ESCompiler compiler(cx);
            unit.reset(compiler.compileProgram(text));
        }
        completion.value = runProgram(cx, unit.get());
    } catch (const ESException &exception) {
        state.restore(cx);
        cx->tos = tos;
        completion.type = ESCompletion::Throw;
        completion.value = exception.value;
    }
    return completion;
}

bool loadFile(ESContext *cx, const QString &fileName, ESCompletion &completion)
{
    QFile file;
    if (!openByBytes(file, systemPath(fileName), QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    completion = evaluate(cx, fileName, QString::fromLatin1(bytes));
    return true;
}

bool loadWithSearchPath(ESContext *cx, const QString &fileName, ESCompletion &completion)
{
    if (loadFile(cx, fileName, completion))
        return true;
    for (const QString &directory : cx->globalClass->directories) {
        if (loadFile(cx, directory + u'/' + fileName, completion))
            return true;
    }
    return false;
}
