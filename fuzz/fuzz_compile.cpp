// Feeds arbitrary bytes, read as Latin-1 text, to the lexer and the parser. Every input must end
// in a syntax tree or a SyntaxError: no crash, no leak, no hang. An input whose first byte is 1
// goes through the Function constructor's entry instead, the text up to the first line feed as
// the parameters and the rest as the body.
//
//   build-fuzz/fuzz/fuzz_compile -max_total_time=600 fuzz/corpus

#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/context.h"
#include "engine/exceptions.h"
#include "engine/node.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Each compilation leaves global slots and error objects in its context, so a long run
// starts a fresh one now and then to keep memory flat.
constexpr int compilationsPerContext = 512;

ESContext *context()
{
    static ESContext *cx = nullptr;
    static int uses = 0;
    if (!cx || ++uses == compilationsPerContext) {
        delete cx;
        cx = setUpContext(nullptr, nullptr);
        uses = 0;
    }
    return cx;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ESContext *cx = context();
    const QString text =
            QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    cx->source = text;
    ESCodeUnit unit;
    ESCompiler compiler(cx);
    compiler.currentUnit = &unit;
    try {
        ESNode *tree;
        if (text.startsWith(QChar(1))) {
            const qsizetype split = text.indexOf(u'\n');
            const QString parameters = text.mid(1, split < 0 ? -1 : split - 1);
            const QString body = split < 0 ? QString() : text.mid(split + 1);
            tree = compiler.parseFunctionText(parameters, body);
        } else {
            compiler.resetLexer(text);
            tree = compiler.parseProgram();
        }
        const ESTree owner(tree);
        if (dumpTree(tree, &unit, ESDumpStyle::OneLine).isEmpty())
            abort();
        if (!ESCompiler::pendingFunctions.empty() && ESCompiler::pendingFunctions.back() == tree)
            abort(); // the entries' own result is never pending
    } catch (const ESException &) {
        if (!ESCompiler::pendingFunctions.empty())
            abort(); // a failed parse takes its functions off the list again
    }
    ESCompiler::pendingFunctions.clear();
    releaseCodeUnits();
    return 0;
}
