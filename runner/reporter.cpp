#include "runner/reporter.h"

namespace {
Reporter *currentReporter = nullptr;
} // namespace

MessageStream &MessageStream::operator<<(const char *text)
{
    fputs(text ? text : "(null)", file);
    return *this;
}

MessageStream &MessageStream::operator<<(int number)
{
    fprintf(file, "%d", number);
    return *this;
}

MessageStream &MessageStream::operator<<(LineEnd)
{
    fputc('\n', file);
    fflush(file);
    return *this;
}

// The newest reporter is the current one; a test that makes its own puts the previous back
// when it ends.
Reporter::Reporter(const char *programName, FILE *errorStream)
    : programName(programName), errorStream(errorStream), previous(currentReporter)
{
    currentReporter = this;
}

Reporter::~Reporter()
{
    if (currentReporter == this)
        currentReporter = previous;
}

Reporter *Reporter::instance()
{
    return currentReporter;
}
