#pragma once

#include "runner/reporter.h"

#include <cstring>
#include <deque>
#include <map>
#include <string>

class ArgParse;

// How an option finds its argument.
enum class ArgumentForm : int {
    None = 0, // the option stands alone
    NextWord = 1, // the following word is the argument
    Prefix = 2, // the rest of the same word after the option name is the argument
};

using OptionHandler = void (ArgParse::*)(const char *name, const char *argument);

// One row of an option table. An option is acted on either by its handler or, without one, by
// setting its flag target and storing its argument in its value target.
struct OptionSpec
{
    ArgumentForm form = ArgumentForm::None;
    bool hasHandler = false;
    OptionHandler handler = nullptr;
    const char **valueTarget = nullptr;
    bool *flagTarget = nullptr;
    int pass = 1; // parse passes with another number skip the option
};

struct OptionNameLess
{
    bool operator()(const char *a, const char *b) const { return strcmp(a, b) < 0; }
};

// A small table-driven parser of command-line words and of the indirect files ("@file") that
// supply more of them. Derived classes fill the table and take the positional words.
class ArgParse
{
public:
    static constexpr int maxIndirectDepth = 100;
    static constexpr int maxWordsPerLine = 256;

    ArgParse();
    virtual ~ArgParse();
    ArgParse(const ArgParse &) = delete;
    ArgParse &operator=(const ArgParse &) = delete;

    virtual void handleArgument(const char *text) = 0;
    // Counts one error and starts its message; the caller appends the text and lineEnd.
    virtual MessageStream error();

    void parse(int count, const char *const *words, int pass);

    std::map<const char *, OptionSpec, OptionNameLess> options;
    Reporter *reporter;
    int indirectDepth = 0;
    // Set by the first "too many indirect files": a file that names itself twice would
    // otherwise be opened 2^100 times.
    bool indirectNestingFailed = false;

private:
    void act(const char *name, const OptionSpec &option, const char *argument);
    void readIndirectFile(const char *name, int pass);

    // Copies of the texts stored through value targets: words read from an indirect file live
    // only while their line is parsed, the targets for as long as the parser.
    std::deque<std::string> storedValues;
};
