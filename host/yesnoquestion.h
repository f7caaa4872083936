#pragma once

#include <QString>

// Asks a yes/no question on the controlling terminal; No is the default. Without a terminal
// on the standard input (a CI job, a pipe) the answer is no at once, so a build never waits
// for a user who is not there.
bool askYesOrNo(const QString &title, const QString &question);
