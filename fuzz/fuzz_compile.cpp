// Feeds arbitrary bytes, read as Latin-1 text, to the compiler and runs what compiles, each run
// bounded to a few million instructions by the step hook. Every input must end in a completion
// (or an internal error such as a too-deep recursion) with the machine registers back as they
// were: no crash, no leak, no hang. An input whose first byte is 1 goes through the Function
// constructor's entry instead, the text up to the first line feed as the parameters and the
// rest as the body, and the function made is called once.
//
//   build-fuzz/fuzz/fuzz_compile -max_total_time=600 fuzz/corpus

#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/context.h"
#include "engine/evaluate.h"
#include "engine/exceptions.h"
#include "engine/name.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr quint64 stepsPerInput = 2'000'000;

class BoundedContext : public ESContext
{
public:
    BoundedContext() { hasStepHook = true; }
    bool step() override { return ++steps < stepsPerInput; }
    quint64 steps = 0;
};

// Each run leaves objects, global slots and code units behind, so a fresh context is made now
// and then to keep memory flat.
constexpr int runsPerContext = 64;

BoundedContext *context()
{
    static BoundedContext *cx = nullptr;
    static int uses = 0;
    if (!cx || ++uses == runsPerContext) {
        delete cx;
        ESCompiler::pendingFunctions.clear();
        releaseCodeUnits();
        cx = new BoundedContext;
        setUpContext(nullptr, cx);
        // load would read whatever file the input names, /dev/zero included.
        defineProperty(cx, cx->globalObject, DontEnum, intern("load"), ESValue());
        uses = 0;
    }
    return cx;
}

void resetRegisters(ESContext *cx)
{
    cx->sp = 0;
    cx->scopeChain = nullptr;
    cx->thisObject = cx->globalObject;
    cx->argBase = cx->stack;
    cx->frameArgCount = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BoundedContext *cx = context();
    cx->steps = 0;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        if (text.startsWith(QChar(1))) {
            const qsizetype split = text.indexOf(u'\n');
            const QString parameters = text.mid(1, split < 0 ? -1 : split - 1);
            const QString body = split < 0 ? QString() : text.mid(split + 1);
            ESObject *function = compileFunctionText(cx, parameters, body);
            ESValue result;
            invokeFunction(cx, function, cx->globalObject, 0, nullptr, result);
        } else {
            const ESCompletion completion = evaluate(cx, QString(), text);
            if (completion.type != ESCompletion::Normal && completion.type != ESCompletion::Throw)
                abort();
        }
    } catch (const ESException &) {
        // A syntax error of the Function constructor's texts, or an error its function threw:
        // nothing between the native caller and the throw puts the registers back.
        resetRegisters(cx);
    } catch (const ESFatalError &) {
        // A recursion too deep for the stack, for one.
        ESCompiler::pendingFunctions.clear();
        resetRegisters(cx);
    }
    if (cx->sp != 0 || cx->scopeChain || !ESCompiler::pendingFunctions.empty())
        abort();
    return 0;
}
