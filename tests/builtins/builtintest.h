#pragma once

#include "engine/convert.h"
#include "tests/engine/enginetest.h"

#include <initializer_list>
#include <string>
#include <vector>

// Calls built-in methods the way scripts reach them: through the function objects published on
// the prototypes and the global object.
class BuiltinTest : public EngineTest
{
protected:
    ESObject *function(ESObject *holder, const char *name)
    {
        const ESValue value = getProperty(cx, holder, intern(name));
        EXPECT_TRUE(value.isObject()) << name;
        return value.asObject();
    }

    ESValue invoke(ESObject *function, ESObject *self, std::initializer_list<ESValue> arguments)
    {
        const std::vector<ESValue> values(arguments);
        ESValue result;
        invokeFunction(cx, function, self, int(values.size()), values.data(), result);
        return result;
    }

    ESValue callOn(ESObject *holder, const char *name, ESObject *self,
            std::initializer_list<ESValue> arguments = {})
    {
        return invoke(function(holder, name), self, arguments);
    }

    ESObject *newWith(ESObject *constructor, std::initializer_list<ESValue> arguments)
    {
        std::vector<ESValue> values(arguments);
        return construct(cx, constructor, int(values.size()), values.data());
    }

    ESObject *array(std::initializer_list<ESValue> values)
    {
        const std::vector<ESValue> elements(values);
        return makeArray(cx, int(elements.size()), elements.data());
    }

    // An array from a comma-separated list: "_" leaves a hole, "u" is undefined, "n" null, a
    // number a Number and any other word a string.
    ESObject *arrayOf(const char *list)
    {
        ESObject *a = array({});
        const QStringList words = QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size(); ++i) {
            bool isNumber = false;
            const double n = words[i].toDouble(&isNumber);
            const ESValue value = isNumber ? num(n)
                    : words[i] == u"u"     ? undef()
                    : words[i] == u"n"     ? null()
                                           : nameValue(intern(words[i]));
            if (words[i] != u"_")
                putProperty(cx, a, nameForIndex(quint32(i)), value);
        }
        putProperty(cx, a, names::length, num(double(words.size())));
        return a;
    }

    // Each position up to "length": the element's text, or "-" when it is not an own property.
    std::string elements(ESObject *array)
    {
        const quint32 length = toUint32(cx, getProperty(cx, array, names::length));
        std::string text;
        for (quint32 i = 0; i < length; ++i) {
            if (i)
                text += ',';
            ESName *name = nameForIndex(i);
            text += hasOwnProperty(array, name)
                    ? toString(cx, getProperty(cx, array, name)).toStdString()
                    : "-";
        }
        return text;
    }

    std::string text(const ESValue &value) { return toString(cx, value).toStdString(); }
    double length(ESObject *object) { return toNumber(cx, getProperty(cx, object, names::length)); }

    static ESValue num(double n) { return numberValue(n); }
    static ESValue str(const char *text) { return nameValue(intern(text)); }
    static ESValue undef() { return undefinedValue(); }
    static ESValue null() { return nullValue(); }
    static ESValue obj(ESObject *o) { return objectValue(o); }
};
