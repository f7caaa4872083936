#include "engine/tokens.h"

QString tokenName(int code)
{
    if (code >= 0 && code < firstTableToken)
        return QString(QChar(code));
    if (code >= firstTableToken && code < firstTableToken + tokenTableSize) {
        if (const char *name = tokenTable[code - firstTableToken].name)
            return QString::fromLatin1(name);
    }
    return QStringLiteral("token<%1>").arg(code);
}
