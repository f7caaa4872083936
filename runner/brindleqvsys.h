#pragma once

#include "host/qvsys.h"

// The runner's QVSys: the file and process services plus exit, which ends the runner.
class BrindleQVSysESClass : public QVSysESClass
{
public:
    ESObject *install(ESContext *cx) override;
    void call(ESContext *cx, ESObject *function, ESObject *thisObject, int count,
            ESValue *arguments) override;

    // Numbered after QVSysESClass's rows.
    static const ESHostMethod<BrindleQVSysESClass> methods[1];

private:
    [[noreturn]] void exit(ESContext *cx, int count, ESValue *arguments);
};
