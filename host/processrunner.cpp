#include "host/processrunner.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Children started without waiting that had not ended when run returned.
std::vector<pid_t> unreapedChildren;

qint32 exitCode(int status)
{
    if (!WIFEXITED(status))
        return -1;
    return qint8(quint8(WEXITSTATUS(status)));
}

// A pipe whose ends are above the standard descriptors, so that connecting the write ends to
// 1 and 2 in the child never overwrites one with the other, and close-on-exec so that no other
// child inherits them.
bool makePipe(int ends[2])
{
    if (pipe2(ends, O_CLOEXEC) != 0)
        return false;
    for (int i = 0; i < 2; ++i) {
        if (ends[i] > 2)
            continue;
        const int moved = fcntl(ends[i], F_DUPFD_CLOEXEC, 3);
        close(ends[i]);
        ends[i] = moved;
    }
    if (ends[0] >= 0 && ends[1] >= 0)
        return true;
    for (int i = 0; i < 2; ++i)
        if (ends[i] >= 0)
            close(ends[i]);
    return false;
}

} // namespace

Process::~Process()
{
    closeReadEnds();
    if (stderrFile && stderrFile != stdoutFile)
        fclose(stderrFile);
    if (stdoutFile)
        fclose(stdoutFile);
}

void Process::idle()
{
    usleep(1000);
}

void Process::reapFinishedChildren()
{
    std::erase_if(unreapedChildren, [](pid_t child) {
        int status;
        return waitpid(child, &status, WNOHANG) != 0;
    });
}

qint32 Process::run(QList<QByteArray> words, bool wait, bool capture)
{
    reapFinishedChildren();
    openRedirections(words);
    if (words.isEmpty())
        return -1;
    capture = capture && wait;
    int writeEnds[2] = { -1, -1 };
    if (capture && !openPipes(writeEnds))
        return -1;
    pid = startChild(words, capture ? writeEnds : nullptr);
    if (capture) {
        close(writeEnds[0]);
        close(writeEnds[1]);
    }
    if (pid < 0)
        return -1;
    if (!wait)
        return pollForEarlyExit();
    if (capture)
        gatherOutput();
    const qint32 code = waitForChild();
    if (capture) {
        for (int stream = 0; stream < 2; ++stream) {
            receive(stream);
            close(readEnds[stream]);
            readEnds[stream] = -1;
        }
        deliverUnfinishedLine(0);
        deliverUnfinishedLine(1);
    }
    return code;
}

// Operators and file names come in pairs from the first word that ends in ">" to the end of
// the command; each stream takes the first of its operators whose file opens.
void Process::openRedirections(QList<QByteArray> &words)
{
    qsizetype first = 0;
    while (first < words.size() && !words[first].endsWith('>'))
        ++first;
    for (qsizetype i = first; i + 1 < words.size(); i += 2) {
        const QByteArray &op = words[i];
        const char *name = words[i + 1].constData();
        if (!stdoutFile && (op == ">" || op == "1>"))
            stdoutFile = fopen(name, "we");
        else if (!stdoutFile && (op == ">>" || op == "1>>"))
            stdoutFile = fopen(name, "ae");
        else if (!stderrFile && op == "2>")
            stderrFile = fopen(name, "we");
        else if (!stderrFile && op == "2>>")
            stderrFile = fopen(name, "ae");
        else if (!stdoutFile && !stderrFile && (op == "&>" || op == "&>>"))
            stdoutFile = stderrFile = fopen(name, op == "&>" ? "we" : "ae");
    }
    words.resize(first);
}

bool Process::openPipes(int writeEnds[2])
{
    for (int stream = 0; stream < 2; ++stream) {
        int ends[2];
        if (!makePipe(ends)) {
            closeReadEnds();
            if (stream == 1)
                close(writeEnds[0]);
            return false;
        }
        readEnds[stream] = ends[0];
        writeEnds[stream] = ends[1];
    }
    return true;
}

// The argument vector is built before fork, so the child only connects descriptors and execs.
pid_t Process::startChild(const QList<QByteArray> &words, const int *writeEnds)
{
    std::vector<char *> argv;
    for (const QByteArray &word : words)
        argv.push_back(const_cast<char *>(word.constData()));
    argv.push_back(nullptr);
    // What the runner printed so far must come out before anything the child prints.
    fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        // The runner ignores the file size signal for its own writes; programs get the default.
        signal(SIGXFSZ, SIG_DFL);
        if (writeEnds) {
            dup2(writeEnds[0], STDOUT_FILENO);
            dup2(writeEnds[1], STDERR_FILENO);
            // Nobody sees a captured program's prompt, so it reads end of file instead of
            // waiting on the runner's own input.
            const int nothing = open("/dev/null", O_RDONLY);
            if (nothing >= 0 && nothing != STDIN_FILENO) {
                dup2(nothing, STDIN_FILENO);
                close(nothing);
            }
        }
        execvp(argv[0], argv.data());
        _exit(-1);
    }
    return child;
}

// Reads both pipes until the child and everything it started have closed them, or until the
// child has ended: a background program it left behind may hold the pipes open for as long
// as it runs, and what it prints after the command is over is not the command's output.
void Process::gatherOutput()
{
    bool hungUp[2] = { false, false };
    while (!hungUp[0] || !hungUp[1]) {
        if (childEnded())
            return;
        pollfd fds[2];
        for (int stream = 0; stream < 2; ++stream)
            fds[stream] = { hungUp[stream] ? -1 : readEnds[stream], POLLIN, 0 };
        const int ready = poll(fds, 2, 100);
        if (ready < 0 && errno != EINTR)
            break;
        for (int stream = 0; ready > 0 && stream < 2; ++stream) {
            const short events = fds[stream].revents;
            const bool gotBytes = (events & POLLIN) && receive(stream);
            // A hang-up can come with the last bytes; the end is reached once none are left.
            if ((events & (POLLHUP | POLLERR | POLLNVAL)) && !gotBytes)
                hungUp[stream] = true;
        }
        if (!hungUp[0] || !hungUp[1])
            idle();
    }
}

bool Process::childEnded()
{
    if (!reaped)
        reaped = waitpid(pid, &reapedStatus, WNOHANG) == pid;
    return reaped;
}

qint32 Process::waitForChild()
{
    if (reaped)
        return exitCode(reapedStatus);
    for (int attempt = 0; attempt < 12; ++attempt) {
        if (attempt)
            idle();
        int status;
        if (waitpid(pid, &status, 0) == pid)
            return exitCode(status);
    }
    return -1;
}

// A child that is still running after ten checks goes on alone and answers 0.
qint32 Process::pollForEarlyExit()
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        int status;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return exitCode(status);
        if (ended < 0)
            return 0;
    }
    unreapedChildren.push_back(pid);
    return 0;
}

// Reads what the pipe holds now; false when it held nothing.
bool Process::receive(int stream)
{
    int available = 0;
    if (readEnds[stream] < 0 || ioctl(readEnds[stream], FIONREAD, &available) != 0
            || available <= 0)
        return false;
    QByteArray &buffer = buffers[stream];
    const qsizetype start = buffer.size();
    buffer.resize(start + available);
    const ssize_t got = read(readEnds[stream], buffer.data() + start, size_t(available));
    buffer.resize(start + qMax<ssize_t>(got, 0));
    if (got <= 0)
        return false;
    received[stream] += quint32(got);
    splitLines(stream, start);
    return true;
}

// A line feed ends a line; so does a carriage return, which also swallows the byte after it
// as the line feed of a pair. Delivered lines are dropped from the buffer, so a program that
// prints a lot of lines costs no more memory than its longest line.
void Process::splitLines(int stream, qsizetype newBytes)
{
    QByteArray &buffer = buffers[stream];
    qsizetype lineStart = deliveredTo[stream];
    // Only the new bytes are scanned: a long line arriving in many pieces stays linear.
    for (qsizetype i = qMax(lineStart, newBytes); i < buffer.size(); ++i) {
        const char c = buffer[i];
        if (c != '\n' && c != '\r')
            continue;
        buffer[i] = '\0';
        deliver(stream, buffer.constData() + lineStart);
        if (c == '\r')
            ++i;
        lineStart = i + 1;
    }
    const qsizetype consumed = qMin(lineStart, buffer.size());
    buffer.remove(0, consumed);
    deliveredTo[stream] = lineStart - consumed;
}

void Process::deliver(int stream, const char *line)
{
    deliveredAny[stream] = true;
    FILE *file = stream == 0 ? stdoutFile : stderrFile;
    if (file) {
        fputs(line, file);
        fputc('\n', file);
    } else {
        deliverLine(stream == 0, line);
    }
}

// Output that never contained a line end is not delivered at all.
void Process::deliverUnfinishedLine(int stream)
{
    QByteArray &buffer = buffers[stream];
    if (!deliveredAny[stream] || deliveredTo[stream] >= buffer.size())
        return;
    const QByteArray rest = buffer.mid(deliveredTo[stream]);
    deliver(stream, rest.constData());
    buffer.clear();
    deliveredTo[stream] = 0;
}

void Process::closeReadEnds()
{
    for (int &fd : readEnds) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

void CapturingProcess::deliverLine(bool isStdout, const char *line)
{
    CapturedLines *lines = isStdout ? stdoutLines : stderrLines;
    if (lines)
        lines->append(line);
}
