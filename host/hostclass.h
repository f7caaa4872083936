#pragma once

#include "engine/class.h"
#include "engine/method.h"

#include <span>

// A native class that publishes one global object whose methods are rows of a table.
class ESHostClass : public ESClass
{
public:
    using ESClass::ESClass;

protected:
    // Publishes the rows of table on holder, with this class as the functions' class.
    void installMethods(ESContext *cx, ESObject *holder, std::span<const ESMethodRow> table);
};
