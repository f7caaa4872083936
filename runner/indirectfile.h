#pragma once

#include <cstdio>
#include <vector>

// A file of further command-line words, read one buffer-full at a time: a physical line longer
// than the buffer arrives as several lines, each counted, so messages and word boundaries follow
// what was read rather than what the editor showed.
class IndirectFile
{
public:
    static constexpr int bufferSize = 1024;

    explicit IndirectFile(const char *name);
    ~IndirectFile();
    IndirectFile(const IndirectFile &) = delete;
    IndirectFile &operator=(const IndirectFile &) = delete;

    bool isOpen() const { return file != nullptr; }
    int openError() const { return error; } // errno of the failed open
    bool readLine();
    char *line() { return buffer; }
    int lineNumber() const { return number; }

private:
    FILE *file;
    int error = 0;
    int number = 0;
    char buffer[bufferSize];
};

// Splits one line of an indirect file into words, in place: each word is ended by a zero byte
// written over its terminator, and words points into line. Only the space separates words; a
// word that opens with a double quote runs to the closing one. Returns false, with no words,
// when a quoted word is not closed before the line ends.
bool splitIndirectLine(char *line, std::vector<const char *> &words);
