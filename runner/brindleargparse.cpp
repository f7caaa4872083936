#include "runner/brindleargparse.h"

#include <cstdlib>

namespace {

// clang-format off
const char productName[]    = "Quorvane Tools for ARM";
const char programName[]    = "Brindle";
const char majorVersion[]   = "1.";         // the major part carries its own separator
const char minorVersion[]   = "0";
const char revision[]       = "0";
const char buildDateStamp[] = "2026120600"; // year, month, day and the build of that day
const char buildNumber[]    = "1";

const char *const noticeLines[] = {
    "Copyright (C) 2026 the Quorvane toolchain developers.\n",
    "Runs build and release scripts for embedded firmware.\n",
};

const char *const usageLines[] = {
    "\n",
    "Usage: brindle [options] script\n",
    "\n",
    "  -define 'variable'='value'  Define a global variable\n",
    "  -help                       Print options help\n",
    "  -load 'file'                Load a script file\n",
    "  -verbose                    Produce verbose output\n",
    "\n",
};
// clang-format on

const char *releaseString()
{
    static char text[64];
    static const int length = snprintf(text, sizeof text, "%s%s.%s.%s.%s", majorVersion,
            minorVersion, revision, buildDateStamp, buildNumber);
    (void)length;
    return text;
}

} // namespace

// clang-format off
const BrindleArgParse::OptionRow BrindleArgParse::optionRows[] = {
    { "-define",  ArgumentForm::NextWord, &BrindleArgParse::defineOption, nullptr },
    { "-help",    ArgumentForm::None,     &BrindleArgParse::helpOption,   nullptr },
    { "-load",    ArgumentForm::NextWord, &BrindleArgParse::loadOption,   nullptr },
    { "-verbose", ArgumentForm::None,     nullptr,                        &BrindleArgParse::verbose },
};
// clang-format on

BrindleArgParse::BrindleArgParse()
{
    for (const OptionRow &row : optionRows) {
        OptionSpec option;
        option.form = row.form;
        option.hasHandler = row.handler != nullptr;
        // The parser calls handlers through its base; each one is only ever called on this object.
        option.handler = static_cast<OptionHandler>(row.handler);
        option.flagTarget = row.flag ? &(this->*row.flag) : nullptr;
        options.emplace(row.name, option);
    }
}

void BrindleArgParse::handleArgument(const char *text)
{
    scriptPieces.append(QString::fromLatin1(text));
}

void BrindleArgParse::defineOption(const char *, const char *argument)
{
    definitions.append(QString::fromLatin1(argument));
}

void BrindleArgParse::loadOption(const char *, const char *argument)
{
    loadFiles.append(QString::fromLatin1(argument));
}

void BrindleArgParse::helpOption(const char *, const char *)
{
    printHelpAndExit();
}

void BrindleArgParse::writeHelp(FILE *stream)
{
    fprintf(stream, "%s %s - Release %s\n", productName, programName, releaseString());
    for (const char *line : noticeLines)
        fputs(line, stream);
    fflush(stream);
    for (const char *line : usageLines)
        fputs(line, stream);
}

void BrindleArgParse::printHelpAndExit()
{
    writeHelp(stderr);
    exit(0);
}
