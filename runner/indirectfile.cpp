#include "runner/indirectfile.h"

#include <cerrno>

IndirectFile::IndirectFile(const char *name) : file(fopen(name, "rt"))
{
    if (!file)
        error = errno;
    buffer[0] = '\0';
}

IndirectFile::~IndirectFile()
{
    if (file)
        fclose(file);
}

bool IndirectFile::readLine()
{
    if (!file || !fgets(buffer, bufferSize, file))
        return false;
    ++number;
    return true;
}

namespace {

// Skips a run of spaces; true when the line ends there. Trailing spaces on a last line without a
// line end still stand for one word, the empty one, which a script then sees as an empty piece.
bool skipSpaces(char *&p, std::vector<const char *> &words)
{
    while (*p == ' ')
        ++p;
    if (*p == '\0')
        words.push_back(p);
    return *p == '\0' || *p == '\n';
}

} // namespace

bool splitIndirectLine(char *line, std::vector<const char *> &words)
{
    words.clear();
    char *p = line;
    for (;;) {
        if (*p == '\0' || *p == '\n')
            return true;
        if (*p == ' ') {
            if (skipSpaces(p, words))
                return true;
            continue;
        }
        if (*p == '"') {
            char *start = p + 1;
            char *end = start;
            while (*end != '"' && *end != '\n' && *end != '\0')
                ++end;
            if (*end != '"') {
                words.clear();
                return false;
            }
            *end = '\0';
            words.push_back(start);
            p = end + 1; // the next word may follow the closing quote directly
            continue;
        }
        words.push_back(p);
        while (*p != ' ' && *p != '\n' && *p != '\0')
            ++p;
        if (*p == '\0')
            return true;
        const char terminator = *p;
        *p++ = '\0';
        if (terminator == '\n' || skipSpaces(p, words))
            return true;
    }
}
