#pragma once

#include "engine/convert.h"
#include "tests/engine/enginetest.h"

#include <initializer_list>
#include <string>
#include <vector>

// Calls the methods of the primitive wrappers, Math and Date as a script would: the function
// object is looked up on its holder and called through the engine with a this-object.
class PrimitiveTest : public EngineTest
{
protected:
    ESObject *global(const char *name)
    {
        return getProperty(cx, cx->globalObject, intern(name)).asObject();
    }
    ESObject *function(ESObject *holder, const char *name)
    {
        const ESValue value = getProperty(cx, holder, intern(name));
        EXPECT_TRUE(value.isObject()) << name;
        return value.isObject() ? value.asObject() : nullptr;
    }
    ESValue call(ESObject *holder, const char *name, const ESValue &self,
            std::initializer_list<ESValue> arguments = {})
    {
        const std::vector<ESValue> values(arguments);
        ESValue result;
        // A plain call's this is the global object; primitives are wrapped as a method call
        // on them would be.
        ESObject *thisObject =
                self.isUndefined() || self.isNull() ? cx->globalObject : toObject(cx, self);
        invokeFunction(
                cx, function(holder, name), thisObject, int(values.size()), values.data(), result);
        return result;
    }
    ESValue text(const char *utf8) { return stringValue(QString::fromUtf8(utf8)); }
    std::string show(const ESValue &value) { return toString(cx, value, 10).toStdString(); }
};
