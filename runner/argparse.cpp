#include "runner/argparse.h"
#include "runner/indirectfile.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

ArgParse::ArgParse() : reporter(Reporter::instance())
{
    if (!reporter)
        throw std::logic_error("option parser built before the reporter");
}

ArgParse::~ArgParse() = default;

MessageStream ArgParse::error()
{
    ++reporter->errorCount;
    MessageStream stream(reporter->errorStream);
    stream << reporter->programName.constData() << ": error: ";
    return stream;
}

void ArgParse::parse(int count, const char *const *words, int pass)
{
    for (int i = 0; i < count; ++i) {
        const char *word = words[i];
        if (!word)
            continue;
        const char *name = nullptr;
        const OptionSpec *option = nullptr;
        const char *argument = nullptr;
        if (auto exact = options.find(word); exact != options.end()) {
            name = exact->first;
            option = &exact->second;
            if (option->form == ArgumentForm::NextWord) {
                if (i == count - 1) {
                    error() << "expected argument for option " << word << lineEnd;
                    return;
                }
                argument = words[++i]; // consumed even when another pass owns the option
            } else if (option->form == ArgumentForm::Prefix) {
                argument = word + strlen(name);
            }
        } else {
            for (const auto &[optionName, optionSpec] : options) {
                const size_t length = strlen(optionName);
                if (optionSpec.form == ArgumentForm::Prefix
                        && strncmp(word, optionName, length) == 0) {
                    name = optionName;
                    option = &optionSpec;
                    argument = word + length;
                    break;
                }
            }
        }
        if (option) {
            if (option->pass == pass)
                act(name, *option, argument);
        } else if (word[0] == '@') {
            readIndirectFile(word + 1, pass);
        } else if (word[0] == '-') {
            error() << "unrecognised option " << word << lineEnd;
        } else if (pass == 1) {
            handleArgument(word);
        }
    }
}

void ArgParse::act(const char *name, const OptionSpec &option, const char *argument)
{
    if (option.hasHandler) {
        (this->*option.handler)(name, argument);
        return;
    }
    if (option.flagTarget)
        *option.flagTarget = true;
    if (option.valueTarget)
        *option.valueTarget = argument ? storedValues.emplace_back(argument).c_str() : nullptr;
}

namespace {

// Keeps the nesting count right however the reading of a file ends, a handler's exception
// included.
class DepthGuard
{
public:
    explicit DepthGuard(int &depth) : depth(depth) { ++depth; }
    ~DepthGuard() { --depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    int &depth;
};

} // namespace

// A line that splits into more than maxWordsPerLine words is parsed as consecutive lines of at
// most that many, just as a line longer than the read buffer is: no word is lost.
void ArgParse::readIndirectFile(const char *name, int pass)
{
    if (indirectNestingFailed)
        return;
    if (indirectDepth >= maxIndirectDepth) {
        error() << "too many indirect files" << lineEnd;
        indirectNestingFailed = true;
        return;
    }
    IndirectFile file(name);
    if (!file.isOpen()) {
        error() << "can't open indirect file " << name << ": " << strerror(file.openError())
                << lineEnd;
        return;
    }
    DepthGuard guard(indirectDepth);
    std::vector<const char *> words;
    // After a nesting error the run is lost; every open file stops at the line that caused it.
    while (!indirectNestingFailed && file.readLine()) {
        if (file.line()[0] == '#')
            continue;
        if (!splitIndirectLine(file.line(), words)) {
            error() << "unterminated string in indirect file " << name << "(" << file.lineNumber()
                    << ")" << lineEnd;
            continue;
        }
        for (size_t first = 0; first < words.size(); first += maxWordsPerLine) {
            const size_t count = std::min<size_t>(maxWordsPerLine, words.size() - first);
            parse(int(count), words.data() + first, pass);
        }
    }
}
