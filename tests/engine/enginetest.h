#pragma once

#include "engine/context.h"
#include "engine/exceptions.h"

#include <gtest/gtest.h>

// A fresh context for each test; contexts own every object they make.
class EngineTest : public ::testing::Test
{
protected:
    EngineTest() : cx(setUpContext(nullptr, nullptr)) { }
    ~EngineTest() override { delete cx; }

    // The message of the script error that body raises, or "(no error)".
    template <typename Body> std::string errorMessage(Body body)
    {
        try {
            body();
        } catch (const ESException &e) {
            if (!e.value.isObject())
                return "(not an object)";
            return getProperty(cx, e.value.asObject(), names::message).text().toStdString();
        }
        return "(no error)";
    }

    ESContext *cx;
};
