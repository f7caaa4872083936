#include "engine/node.h"

#include "engine/codeunit.h"
#include "engine/name.h"
#include "engine/numbertext.h"
#include "engine/recycler.h"

#include <QStringList>

#include <vector>

void *ESNode::operator new(size_t)
{
    return ESRecycler<ESNode>::allocate();
}

void ESNode::operator delete(void *node)
{
    ESRecycler<ESNode>::release(node);
}

void freeTree(ESNode *root)
{
    std::vector<ESNode *> pending;
    pending.reserve(32);
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        ESNode *node = pending.back();
        pending.pop_back();
        for (int i = 0; i < 4; ++i) {
            // A switch's default clause is also on its clause chain.
            if (ESNode *child = node->child[i]; child && !(node->kind == TOK_SWITCH && i == 1))
                pending.push_back(child);
        }
        delete node;
    }
}

namespace {

// The items of a left-nested chain (c0 = the chain so far, c1 = the item) in source order.
std::vector<const ESNode *> leftChain(const ESNode *chain)
{
    std::vector<const ESNode *> items;
    for (; chain; chain = chain->child[0])
        items.push_back(chain->child[1]);
    return { items.rbegin(), items.rend() };
}

// The clauses of a switch in source order: they link back through c0.
std::vector<const ESNode *> clauseChain(const ESNode *last)
{
    std::vector<const ESNode *> clauses;
    for (; last; last = last->child[0])
        clauses.push_back(last);
    return { clauses.rbegin(), clauses.rend() };
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        switch (c) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            if (c < 32 || (c > 126 && c < 256))
                out += QStringLiteral("\\x%1").arg(int(c), 2, 16, QChar(u'0'));
            else if (c >= 256)
                out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QChar(u'0'));
            else
                out += ch;
        }
    }
    return out + u'"';
}

// Object keys print bare when they read as one word.
QString key(const ESName *name)
{
    const QString &text = name->text;
    bool plain = !text.isEmpty();
    for (QChar c : text)
        plain = plain && (c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'.');
    return plain ? text : quoted(text);
}

// A node as it is printed: a label and the printed children, lists already flattened.
struct View
{
    QString label;
    std::vector<View> children;
};

class Viewer
{
public:
    View view(const ESNode *node, const ESCodeUnit *unit) const
    {
        if (!node)
            return { QStringLiteral("-"), {} };
        View v{ label(node, unit), {} };
        switch (node->kind) {
        case TOK_FUNCTION:
            add(v, node->child[0], node->unit);
            break;
        case ';': {
            const auto hoisted = leftChain(node->child[0]);
            if (!hoisted.empty()) {
                View group{ QStringLiteral("hoisted"), {} };
                for (const ESNode *item : hoisted)
                    add(group, item, unit);
                v.children.push_back(std::move(group));
            }
            for (const ESNode *item : leftChain(node->child[1]))
                add(v, item, unit);
            break;
        }
        case TOK_ARRAYINIT:
            for (const ESNode *item : leftChain(node->child[0]))
                add(v, item, unit);
            break;
        case TOK_OBJECTINIT: {
            std::vector<const ESNode *> entries;
            for (const ESNode *entry = node->child[0]; entry; entry = entry->child[0])
                entries.push_back(entry);
            for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
                View entry{ key((*it)->name) + u':', {} };
                add(entry, (*it)->child[1], unit);
                v.children.push_back(std::move(entry));
            }
            break;
        }
        case TOK_CALL:
            add(v, node->child[0], unit);
            for (const ESNode *argument = node->child[1]; argument; argument = argument->child[1])
                add(v, argument->child[0], unit);
            break;
        case TOK_SWITCH:
            add(v, node->child[0], unit);
            for (const ESNode *clause : clauseChain(node->child[2])) {
                View c{ label(clause, unit), {} };
                if (clause->kind == TOK_CASE)
                    add(c, clause->child[1], unit);
                for (const ESNode *item : leftChain(clause->child[2]))
                    add(c, item, unit);
                v.children.push_back(std::move(c));
            }
            break;
        default: {
            int last = 3;
            while (last >= 0 && !node->child[last])
                --last;
            for (int i = 0; i <= last; ++i)
                add(v, node->child[i], unit);
        }
        }
        return v;
    }

private:
    void add(View &parent, const ESNode *node, const ESCodeUnit *unit) const
    {
        parent.children.push_back(view(node, unit));
    }

    static QString label(const ESNode *node, const ESCodeUnit *unit)
    {
        const QString name = node->name ? node->name->text : QString();
        switch (node->kind) {
        case TOK_IDENTIFIER:
            return name;
        case TOK_STRING:
            return quoted(name);
        case TOK_NUMBER: {
            const auto index = size_t(node->number);
            if (unit && index < unit->numbers.size())
                return numberToText(unit->numbers[index]);
            return QStringLiteral("#%1").arg(index);
        }
        case TOK_TRUE:
            return QStringLiteral("true");
        case TOK_FALSE:
            return QStringLiteral("false");
        case TOK_NULL:
            return QStringLiteral("null");
        case TOK_ELISION:
            return QStringLiteral("elision");
        case TOK_POSTINC:
            return QStringLiteral("postfix++");
        case TOK_POSTDEC:
            return QStringLiteral("postfix--");
        case TOK_NEG:
            return QStringLiteral("unary-");
        case TOK_POS:
            return QStringLiteral("unary+");
        case ';':
            return QStringLiteral("list");
        case TOK_LABEL:
            return name + u':';
        case TOK_FUNCTION: {
            QStringList parameters;
            for (quint32 i = 0; node->unit && i < node->unit->paramCount; ++i)
                parameters << node->unit->variables[i].name->text;
            return QStringLiteral("function%1(%2)")
                    .arg(name.isEmpty() ? QString() : u' ' + name, parameters.join(u", "));
        }
        default:
            if (name.isEmpty())
                return tokenName(int(node->kind));
            return tokenName(int(node->kind)) + u' ' + name;
        }
    }
};

void write(QString &out, const View &v, ESDumpStyle style, int depth)
{
    if (style == ESDumpStyle::Indented) {
        if (depth > 0)
            out += u'\n';
        out += QString(depth * 2, u' ') + v.label;
        for (const View &child : v.children)
            write(out, child, style, depth + 1);
        return;
    }
    if (v.children.empty()) {
        out += v.label;
        return;
    }
    out += u'(' + v.label;
    for (const View &child : v.children) {
        out += u' ';
        write(out, child, style, depth + 1);
    }
    out += u')';
}

} // namespace

QString dumpTree(const ESNode *root, const ESCodeUnit *unit, ESDumpStyle style)
{
    QString out;
    write(out, Viewer().view(root, unit), style, 0);
    return out;
}
