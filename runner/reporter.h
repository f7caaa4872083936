#pragma once

#include <QByteArray>

#include <cstdio>

// Ends a message written to a MessageStream: a line end, then a flush, so that each message
// reaches the terminal whole and before anything the program prints next.
struct LineEnd
{
};
inline constexpr LineEnd lineEnd;

// The stream an error message is appended to, one piece at a time.
class MessageStream
{
public:
    explicit MessageStream(FILE *file) : file(file) { }

    MessageStream &operator<<(const char *text);
    MessageStream &operator<<(int number);
    MessageStream &operator<<(LineEnd);

    FILE *file;
};

// The process-wide record of where messages go and how many were written. The entry point
// makes it first; the option parser finds it through instance().
class Reporter
{
public:
    explicit Reporter(const char *programName, FILE *errorStream = stderr);
    ~Reporter();
    Reporter(const Reporter &) = delete;
    Reporter &operator=(const Reporter &) = delete;

    static Reporter *instance();

    QByteArray programName; // argv[0] as given, so messages name the program the way it was run
    FILE *errorStream;
    int errorCount = 0;

private:
    Reporter *previous;
};
