#pragma once

#include "runner/argparse.h"

#include <QStringList>

#include <cstdio>

// The runner's command line: -define and -load collect their arguments, -verbose sets a flag,
// -help prints the help text and ends the process, and every positional word is script text.
class BrindleArgParse : public ArgParse
{
public:
    BrindleArgParse();

    void handleArgument(const char *text) override;

    // The banner, notice and usage lines, on the standard error; then exit with status 0.
    [[noreturn]] static void printHelpAndExit();
    static void writeHelp(FILE *stream);

    bool verbose = false;
    QStringList scriptPieces;
    QStringList definitions;
    QStringList loadFiles;

private:
    struct OptionRow
    {
        const char *name;
        ArgumentForm form;
        void (BrindleArgParse::*handler)(const char *name, const char *argument);
        bool BrindleArgParse::*flag;
    };
    static const OptionRow optionRows[];

    void defineOption(const char *name, const char *argument);
    void loadOption(const char *name, const char *argument);
    void helpOption(const char *name, const char *argument);
};
