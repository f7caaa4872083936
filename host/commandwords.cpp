#include "host/commandwords.h"

QList<QByteArray> splitCommandWords(const QString &command)
{
    QList<QByteArray> words;
    QString word;
    bool quoted = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command[i];
        if (c == u'\\' && i + 1 < command.size() && command[i + 1] == u'"') {
            word += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u' ' && !quoted) {
            if (!word.isEmpty())
                words.append(word.toLatin1());
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words.append(word.toLatin1());
    return words;
}
