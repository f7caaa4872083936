#pragma once

#include <QString>
#include <QStringView>

// An interned string. Names are process-wide and live until exit; property keys are compared by
// the identity of their ESName, and compiled code refers to a name by its index.
struct ESName
{
    quint32 index;
    // The name table's hash of the text (beside index, so that the record packs into 40 bytes).
    quint32 hash;
    QString text;
    // The array index the text spells in canonical decimal, or -1; worked out once when the
    // name is interned, since the Array class asks on every store.
    qint64 arrayIndex;
};
static_assert(sizeof(ESName) <= 40, "a large array makes a name for every element");

ESName *intern(const QString &text);
ESName *intern(QStringView text);
ESName *intern(const char *latin1);
// The name with the given index in the order of interning; null when there is none.
ESName *nameAt(quint32 index);
quint32 nameCount();
// The name of an array index, "0" to "4294967295".
ESName *nameForIndex(quint32 index);

// The name of a one-unit text; the Latin-1 ones are kept at hand, as charAt asks for them.
ESName *nameForCharacter(char16_t unit);

// Names the engine reads often, interned once per process.
namespace names {
extern ESName *empty;
extern ESName *length;
extern ESName *prototype;
extern ESName *null;
extern ESName *trueName;
extern ESName *falseName;
extern ESName *eval;
extern ESName *arguments;
extern ESName *callee;
extern ESName *constructor;
extern ESName *index;
extern ESName *valueOf;
extern ESName *toString;
extern ESName *message;
extern ESName *name;
extern ESName *fileName;
extern ESName *lineNumber;
extern ESName *sourceLine;
void internStandardNames();
} // namespace names
