#pragma once

#include "engine/tokens.h"

#include <QString>
#include <QtGlobal>

#include <memory>

struct ESCodeUnit;
struct ESName;

// One node of the syntax tree. The kind is a token code: operators and keywords stand for their
// own construct, and the tree-only codes 186-198 and 212-214 for the rest. Children by kind:
//
//   159 identifier, 161 string: name. 153 number: number = index in the number pool of the unit
//   that was current when it was read. 162 this, 181 true, 182 false, 183 null, 197 elision:
//   none.
//   172 function: name (null when anonymous), c0 = body (a statement list), outer, unit,
//   unitIndex; line 0.
//   195 array: c0 = left-nested 44 chain of elements (c0 = the chain so far, c1 = the element).
//   196 object: c0 = left-nested chain of 58 entries (c0 = the chain so far, name = key,
//   c1 = value).
//   46 a.b: c0 = object, c1 = a 159 node of the name. 91 a[b]: c0 = object, c1 = index.
//   190 call: c0 = callee, c1 = right-linked 44 chain of arguments (c0 = argument, c1 = next).
//   177 new: c0 = the member/call expression after it.
//   Unary (164 163 165 151 152 126 33 188 189) and postfix (186 187): c0 = operand.
//   Binary, logical, comma (44) and assignments (61, 129-139): c0 = left, c1 = right.
//   63 conditional: c0 = condition, c1 = then, c2 = else.
//   59 statement list: c0 = hoisted functions, c1 = statements, both left-nested 59 chains
//   (c0 = the chain so far, c1 = the item); hoisted items are 61(159 name, 172); a statement
//   item is null for an empty statement.
//   166 while: c0 = condition, c1 = body. 203 do: c0 = body (a list), c1 = condition.
//   174 if: c0 = condition, c1 = then, c2 = else or null.
//   167 for: c0 = initialiser, c1 = condition, c2 = update (each may be null), c3 = body.
//   192 for-in: c0 = target (an expression, or the declaration: 159 or 61), c1 = object,
//   c3 = body.
//   170 with: c0 = object, c1 = body. 198 label: name, c0 = statement.
//   168 break, 169 continue: name = label or null. 171 return: c0 = value or null.
//   180 switch: c0 = discriminant, c1 = the default clause (also on the chain) or null, c2 = the
//   last clause; clauses 178 case (c1 = test) and 179 default link back through c0 and hold
//   their statements in c2 as a left-nested 59 chain.
//   210 throw: c0 = value.
//   212 try-catch, 213 try-finally, 214 try-catch-finally: c0 = try block, c1 = catch block
//   (null in 213), c2 = finally block (null in 212), name = the catch identifier (null in 213),
//   which is no variable of the function: CATCH puts it in a scope record of its own.
//
// A variable-declaration list is one declaration (159, or 61 with the initial value) or a
// right-nested 44 chain of them; an expression statement is its expression.
struct ESNode
{
    quint32 breakChain = 65535;
    quint32 continueChain = 65535;
    quint32 kind = 0;
    double number = 0;
    ESName *name = nullptr;
    quint32 unitIndex = 0;
    ESNode *child[4] = {};
    ESNode *outer = nullptr;
    ESCodeUnit *unit = nullptr;
    quint32 line = 0;
    // The longest path of nested expressions below this node, which the parser bounds so that
    // the code generator can recurse over expressions. The long lists (statements, elements,
    // arguments, entries, clauses) do not add to it: the generator walks those in loops.
    quint32 height = 1;

    // Every compilation makes and frees a tree, so freed nodes are recycled.
    static void *operator new(size_t size);
    static void operator delete(void *node);
};

// Releases a whole tree, function nodes included; an iterative walk, since statement and
// element chains are as long as the script.
void freeTree(ESNode *root);

struct ESTreeDeleter
{
    void operator()(ESNode *root) const { freeTree(root); }
};
using ESTree = std::unique_ptr<ESNode, ESTreeDeleter>;

// A readable rendering for tests and debugging. Lists are flattened into their items;
// identifiers, strings and numbers print their text (numbers from unit's pool, or from the
// function's own unit inside a function; "#index" without one); null children print "-".
// OneLine writes "(kind child child)"; Indented writes a node per line, children two spaces in.
enum class ESDumpStyle { OneLine, Indented };
QString dumpTree(const ESNode *root, const ESCodeUnit *unit = nullptr,
        ESDumpStyle style = ESDumpStyle::Indented);
