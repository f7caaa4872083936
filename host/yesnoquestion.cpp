#include "host/yesnoquestion.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray readAnswer(int terminal)
{
    QByteArray answer;
    char c;
    for (;;) {
        const ssize_t got = read(terminal, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || c == '\n')
            return answer;
        answer += c;
    }
}

} // namespace

bool askYesOrNo(const QString &title, const QString &question)
{
    if (!isatty(STDIN_FILENO))
        return false;
    const int terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0)
        return false;
    // What the script printed before belongs above the question.
    fflush(stdout);
    const QByteArray prompt =
            (title + QStringLiteral(": ") + question + QStringLiteral(" [y/N] ")).toLocal8Bit();
    bool yes = false;
    if (write(terminal, prompt.constData(), size_t(prompt.size())) == prompt.size()) {
        const QByteArray answer = readAnswer(terminal).trimmed().toLower();
        yes = answer == "y" || answer == "yes";
    }
    close(terminal);
    return yes;
}
