#pragma once

#include "engine/node.h"

// While a node is generated, its bytes carry its line; the enclosing node's line comes back when
// it is done. Nodes without a line (functions) keep the enclosing one.
class ESLineScope
{
public:
    ESLineScope(quint32 &line, const ESNode *node) : line(line), saved(line)
    {
        if (node->line != 0)
            line = node->line;
    }
    ~ESLineScope() { line = saved; }
    ESLineScope(const ESLineScope &) = delete;
    ESLineScope &operator=(const ESLineScope &) = delete;

private:
    quint32 &line;
    quint32 saved;
};
