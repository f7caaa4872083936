#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Splits a command line into program words the way QVSys.run does, without a shell: spaces
// separate words, double quotes group them and \" stands for a double quote.
QList<QByteArray> splitCommandWords(const QString &command);
