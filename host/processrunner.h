#pragma once

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <sys/types.h>

// Runs one external program from a list of words, without a shell: output redirections at the
// end of the list, optional line-by-line capture of standard output and error, and the exit
// code. It knows processes and pipes only; what a line means is left to deliverLine.
class Process
{
public:
    Process() = default;
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    virtual ~Process();

    // The exit code: the status as a signed 8-bit number, -1 for a signal, a program that could
    // not be started or no word left. Without wait the child keeps running (capture is then
    // ignored, since nobody would read the pipes) and the answer is 0 unless it ended at once.
    qint32 run(QList<QByteArray> words, bool wait, bool capture);

    // Reaps the children started without waiting that have ended since; run calls it first,
    // so a long script leaves no zombies behind.
    static void reapFinishedChildren();

protected:
    // One complete line of a stream that has no redirection file, as a C string.
    virtual void deliverLine(bool isStdout, const char *line) = 0;
    // Called between polls and between wait attempts.
    virtual void idle();

private:
    void openRedirections(QList<QByteArray> &words);
    bool openPipes(int writeEnds[2]);
    pid_t startChild(const QList<QByteArray> &words, const int *writeEnds);
    void gatherOutput();
    // Whether the child has ended, reaping it (and keeping its status) when it has.
    bool childEnded();
    qint32 waitForChild();
    qint32 pollForEarlyExit();
    bool receive(int stream);
    void splitLines(int stream, qsizetype newBytes);
    void deliver(int stream, const char *line);
    void deliverUnfinishedLine(int stream);
    void closeReadEnds();

    // Indexed by stream: 0 standard output, 1 standard error.
    quint32 received[2] = { 0, 0 };
    QByteArray buffers[2];
    // May run one past the end of its buffer when a carriage return was the last byte: the
    // byte that arrives next is the line feed of the pair and is skipped.
    qsizetype deliveredTo[2] = { 0, 0 };
    bool deliveredAny[2] = { false, false };
    FILE *stdoutFile = nullptr;
    FILE *stderrFile = nullptr; // may be stdoutFile, after "&>"
    pid_t pid = -1;
    bool reaped = false; // the child has ended and reapedStatus holds its wait status
    int reapedStatus = 0;
    int readEnds[2] = { -1, -1 };
};

// The lines of one captured stream, kept as the 8-bit text they arrived as and already joined
// with line feeds: a program's output costs its own size, not a string object per line.
class CapturedLines
{
public:
    void clear()
    {
        text.clear();
        lineCount = 0;
    }
    void append(const char *line)
    {
        if (lineCount++ > 0)
            text += '\n';
        text += line;
    }
    qsizetype count() const { return lineCount; }
    const QByteArray &joined() const { return text; }

private:
    QByteArray text;
    qsizetype lineCount = 0;
};

// Delivers captured lines into two lists; a null list drops its stream's lines.
class CapturingProcess : public Process
{
public:
    CapturingProcess(CapturedLines *stdoutLines, CapturedLines *stderrLines)
        : stdoutLines(stdoutLines), stderrLines(stderrLines)
    { }

protected:
    void deliverLine(bool isStdout, const char *line) override;

private:
    CapturedLines *stdoutLines;
    CapturedLines *stderrLines;
};
