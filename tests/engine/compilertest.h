#pragma once

#include "engine/codeunit.h"
#include "engine/compiler.h"
#include "engine/node.h"
#include "enginetest.h"

#include <string>

// A compiler over a fresh context, with a top-level code unit of the test's own.
class CompilerTest : public EngineTest
{
protected:
    CompilerTest() { compiler.currentUnit = &unit; }
    ~CompilerTest() override { ESCompiler::pendingFunctions.clear(); }

    // The program's tree on one line; the tree is freed, as the compile driver would.
    std::string tree(const QString &text)
    {
        cx->source = text;
        compiler.resetLexer(text);
        const ESTree root(compiler.parseProgram());
        ESCompiler::pendingFunctions.clear();
        return dumpTree(root.get(), &unit, ESDumpStyle::OneLine).toStdString();
    }

    // The one statement of a program, on one line.
    std::string statement(const QString &text)
    {
        const std::string program = tree(text);
        const std::string prefix = "(list ";
        if (program.rfind(prefix, 0) != 0 || program.back() != ')')
            return "(not one statement) " + program;
        return program.substr(prefix.size(), program.size() - prefix.size() - 1);
    }

    // "line N: message" of the SyntaxError that compiling text raises, or "(no error)".
    template <typename Compile> std::string syntaxError(const QString &text, Compile compile)
    {
        cx->source = text;
        try {
            compile();
        } catch (const ESException &e) {
            ESObject *error = e.value.asObject();
            if (error->prototype != cx->syntaxErrorClass->prototype)
                return "(not a SyntaxError)";
            const ESValue line = getProperty(cx, error, names::lineNumber);
            return "line " + std::to_string(int(line.asNumber())) + ": "
                    + getProperty(cx, error, names::message).text().toStdString();
        }
        ESCompiler::pendingFunctions.clear();
        return "(no error)";
    }
    std::string syntaxError(const QString &text)
    {
        return syntaxError(text, [&] {
            compiler.resetLexer(text);
            freeTree(compiler.parseProgram());
        });
    }

    ESCodeUnit unit;
    ESCompiler compiler{ cx };
};
