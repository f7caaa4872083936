#include "engine/disassembler.h"
#include "vmtest.h"

#include <cmath>

TEST_F(VmTest, OperatorsConvertTheirOperands)
{
    const int s3 = name("3"), sa = name("a"), sb = name("b"), s1 = name("1");
    const struct
    {
        std::initializer_list<Asm> code;
        const char *result;
    } rows[] = {
        { { { OP_STR, s3 }, { OP_NUM_1 }, { OP_SUB }, { OP_RET } }, "2" },
        { { { OP_STR, sa }, { OP_NUM_1 }, { OP_ADD }, { OP_RET } }, "a1" }, // left text first
        { { { OP_NUM_M1 }, { OP_NUM_3 }, { OP_MOD }, { OP_RET } }, "-1" }, // sign of the left
        { { { OP_NUM_M1 }, { OP_NUM_0 }, { OP_USHR }, { OP_RET } }, "4294967295" },
        { { { OP_NUM_M1 }, { OP_NUM_1 }, { OP_SHR }, { OP_RET } }, "-1" },
        { { { OP_NUM_1 }, { OP_NUM, 0 }, { OP_SHL }, { OP_RET } }, "2" }, // 33 & 31 == 1
        { { { OP_NUM_2 }, { OP_BITNOT }, { OP_RET } }, "-3" },
        { { { OP_NUM, 1 }, { OP_NUM_1 }, { OP_LT }, { OP_RET } }, "false" }, // NaN
        { { { OP_NUM, 1 }, { OP_NUM_1 }, { OP_LE }, { OP_RET } }, "false" },
        { { { OP_STR, sb }, { OP_STR, sa }, { OP_LT }, { OP_RET } }, "false" },
        { { { OP_NUM_2 }, { OP_STR, s3 }, { OP_LT }, { OP_RET } }, "true" },
        { { { OP_NULL }, { OP_UNDEFINED }, { OP_EQ }, { OP_RET } }, "true" },
        { { { OP_NULL }, { OP_NUM_0 }, { OP_EQ }, { OP_RET } }, "false" },
        { { { OP_STR, s1 }, { OP_NUM_1 }, { OP_EQ }, { OP_RET } }, "true" },
        { { { OP_TRUE }, { OP_NUM_1 }, { OP_EQ }, { OP_RET } }, "true" },
        { { { OP_NUM_0 }, { OP_LOGNOT }, { OP_RET } }, "true" },
        { { { OP_NEWOBJ }, { OP_LOGNOT }, { OP_RET } }, "false" },
        { { { OP_NULL }, { OP_TYPEOF }, { OP_RET } }, "object" },
        { { { OP_TRUE }, { OP_TYPEOF }, { OP_RET } }, "boolean" },
        { { { OP_STR, sa }, { OP_TYPEOF }, { OP_RET } }, "string" },
        { { { OP_NUM_1 }, { OP_NUM_0 }, { OP_NEG }, { OP_DIV }, { OP_RET } }, "-Infinity" },
        { { { OP_STR, s3 }, { OP_POS }, { OP_TYPEOF }, { OP_RET } }, "number" },
    };
    for (const auto &row : rows) {
        ESCodeUnit *unit = program(row.code, { 33, esNaN });
        EXPECT_EQ(text(unit), row.result) << disassemble(*unit).join(" | ").toStdString();
    }
    const ESValue concatenation =
            value(program({ { OP_STR, sa }, { OP_NUM_1 }, { OP_ADD }, { OP_RET } }));
    ASSERT_TRUE(concatenation.isString());
    EXPECT_EQ(concatenation.text().toStdString(), "a1");
}

TEST_F(VmTest, JumpsConsumeWhatTheyTest)
{
    const struct
    {
        std::initializer_list<Asm> code;
        const char *result;
    } rows[] = {
        // 0 && 2 keeps the 0; 1 && 2 drops the 1.
        { { { OP_NUM_0 }, { OP_LOGAND, 3 }, { OP_NUM_2 }, { OP_RET } }, "0" },
        { { { OP_NUM_1 }, { OP_LOGAND, 3 }, { OP_NUM_2 }, { OP_RET } }, "2" },
        { { { OP_NUM_1 }, { OP_LOGOR, 3 }, { OP_NUM_2 }, { OP_RET } }, "1" },
        { { { OP_NUM_0 }, { OP_LOGOR, 3 }, { OP_NUM_2 }, { OP_RET } }, "2" },
        // A switch on 3: the case 2 test drops only itself, case 3 also drops the value.
        { { { OP_NUM_3 }, { OP_DUP }, { OP_NUM_2 }, { OP_IDENTITY }, { OP_JT_DROP, 10 }, { OP_DUP },
                  { OP_NUM_3 }, { OP_IDENTITY }, { OP_JT_DROP, 12 }, { OP_DROP }, { OP_NUM_0 },
                  { OP_RET }, { OP_NUM_4 }, { OP_RET } },
                "4" },
        { { { OP_NUM_1 }, { OP_NUM_2 }, { OP_JLT, 5 }, { OP_NUM_0 }, { OP_RET }, { OP_TRUE },
                  { OP_RET } },
                "true" },
        { { { OP_NUM_2 }, { OP_NUM_1 }, { OP_JLT, 5 }, { OP_NUM_0 }, { OP_RET }, { OP_TRUE },
                  { OP_RET } },
                "0" },
        { { { OP_FALSE }, { OP_JF, 3 }, { OP_NUM_1 }, { OP_NUM_2 }, { OP_RET } }, "2" },
        { { { OP_TRUE }, { OP_JT, 3 }, { OP_NUM_1 }, { OP_RETU } }, "undefined" },
    };
    for (const auto &row : rows) {
        ESCodeUnit *unit = program(row.code);
        EXPECT_EQ(text(unit), row.result) << disassemble(*unit).join(" | ").toStdString();
    }
}

TEST_F(VmTest, PropertyInstructions)
{
    const int x = name("x"), y = name("y"), three = name("3");
    const int o = global("o");
    // o = {x: 1, y: 2}; the literal sets its properties in source order.
    EXPECT_EQ(text(program({ { OP_NEWOBJ }, { OP_NUM_1 }, { OP_INITF, x }, { OP_NUM_2 },
                      { OP_INITF, y }, { OP_DUP }, { OP_PUTG, o }, { OP_RET } })),
            "[object Object]");
    ESObject *object = cx->globalObject->properties[o].value.asObject();
    ASSERT_EQ(object->properties.size(), 2);
    EXPECT_EQ(object->properties[0].name, intern("x"));

    const struct
    {
        std::initializer_list<Asm> code;
        const char *result;
    } rows[] = {
        // o.x -= "3" subtracts the number; the X form leaves the new value.
        { { { OP_STR, three }, { OP_GETG, o }, { OP_STR, x }, { OP_SUBX }, { OP_RET } }, "-2" },
        { { { OP_GETG, o }, { OP_GETF, x }, { OP_RET } }, "-2" },
        // o.y <<= 3
        { { { OP_NUM_3 }, { OP_GETG, o }, { OP_STR, y }, { OP_SHLX }, { OP_RET } }, "16" },
        // o[1] = 4 through the index form, read back through the name "1".
        { { { OP_NUM_4 }, { OP_GETG, o }, { OP_NUM_1 }, { OP_PUTX }, { OP_GETG, o },
                  { OP_GETF, name("1") }, { OP_RET } },
                "4" },
        { { { OP_GETG, o }, { OP_NUM_1 }, { OP_DELETEX }, { OP_RET } }, "true" },
        { { { OP_GETG, o }, { OP_NUM_1 }, { OP_GETX }, { OP_TYPEOF }, { OP_RET } }, "undefined" },
        // o.x = 7 as a value: the DUP copy is the assignment's value.
        { { { OP_NUM, 0 }, { OP_DUP }, { OP_GETG, o }, { OP_PUTF, x }, { OP_RET } }, "7" },
        { { { OP_NUM_1 }, { OP_NUM_2 }, { OP_NUM_3 }, { OP_MKARRAY, 3 }, { OP_RET } }, "1,2,3" },
        { { { OP_MKARRAY, 0 }, { OP_GETF, name("length") }, { OP_RET } }, "0" },
        // A string's properties through its wrapper.
        { { { OP_STR, name("abc") }, { OP_GETF, name("length") }, { OP_RET } }, "3" },
    };
    for (const auto &row : rows) {
        ESCodeUnit *unit = program(row.code, { 7 });
        EXPECT_EQ(text(unit), row.result) << disassemble(*unit).join(" | ").toStdString();
    }
}

TEST_F(VmTest, SlotsAreSteppedInPlace)
{
    const int n = global("n");
    const int s = global("s");
    cx->globalObject->properties[s].value = nameValue(intern("41"));
    EXPECT_EQ(text(program({ { OP_INCG, n }, { OP_INCG, s }, { OP_DECG, n }, { OP_GETG, s },
                      { OP_RET } })),
            "42");
    // INCG leaves tos alone; Undefined steps to NaN.
    EXPECT_EQ(text(program({ { OP_NUM_3 }, { OP_INCG, n }, { OP_RET } })), "3");
    EXPECT_EQ(text(program({ { OP_GETG, n }, { OP_RET } })), "NaN");
}

TEST_F(VmTest, FailuresRaiseTheirMessages)
{
    for (const int op : { 73, 79, 114, 255 }) {
        ESCodeUnit *unit = program({ { op } });
        EXPECT_EQ(errorMessage([&] { run(cx, unit); }), "??") << op;
    }
    cx->sp = 0;
    ESCodeUnit *call = program({ { OP_NUM_1 }, { OP_CALLG, global("notAFunction"), 0 } });
    EXPECT_EQ(errorMessage([&] { run(cx, call); }), "not a function object");
    ESCodeUnit *construct = program({ { OP_NUM_1 }, { OP_NEW } });
    EXPECT_EQ(errorMessage([&] { run(cx, construct); }), "new must be given a constructor object");
    ESCodeUnit *field = program({ { OP_UNDEFINED }, { OP_GETF, name("x") } });
    EXPECT_EQ(errorMessage([&] { run(cx, field); }), "can't convert undefined to an object");
    ESCodeUnit *with = program({ { OP_NULL }, { OP_WITH } });
    EXPECT_EQ(errorMessage([&] { run(cx, with); }), "can't convert null to an object");
    EXPECT_EQ(
            fatalMessage(program({ { OP_NUM_1 }, { OP_NEXT, 0 } })), "tos isn't a property object");
    // The error carries the line of the failing instruction (the assembler numbers bytes).
    cx->source = QStringLiteral("l1\nl2\nl3\nl4");
    try {
        run(cx, program({ { OP_NUM_1 }, { OP_NUM_1 }, { OP_NEW } }));
        FAIL() << "no error";
    } catch (const ESException &e) {
        EXPECT_EQ(toString(cx, getProperty(cx, e.value.asObject(), names::sourceLine)), "l3");
    }
    cx->source.clear();
}

TEST_F(VmTest, OnlyCodeThatCannotLeaveItselfRunsUnchecked)
{
    const struct
    {
        std::vector<quint8> code;
        bool wellFormed;
    } rows[] = {
        { { OP_NUM_1, OP_RET }, true },
        { { OP_J, 0, 0 }, true },
        { { OP_NUM_1 }, false }, // falls off the end
        { { OP_NUM_1, OP_JF, 0, 0 }, false }, // a conditional jump falls through at the end
        { { OP_J, 0, 4, OP_NUM, 0, 0, OP_RET }, false }, // target inside an operand
        { { OP_J, 0, 9, OP_RET }, false }, // target past the end
        { { OP_NUM, 0 }, false }, // operand cut off
        { { OP_INC, OP_RET }, false }, // reserved: must raise when reached
        { { 114, OP_RET }, false },
    };
    for (const auto &row : rows) {
        ESCodeUnit unit;
        unit.code = row.code;
        unit.lines.assign(unit.code.size(), 1);
        EXPECT_EQ(isWellFormed(unit), row.wellFormed) << int(row.code[0]) << " " << row.code.size();
    }
    ESCodeUnit withoutLines;
    withoutLines.code = { OP_NUM_1, OP_RET };
    EXPECT_FALSE(isWellFormed(withoutLines));
    // Checked code fails where it leaves, after running what came before.
    const int g = global("reached");
    EXPECT_EQ(fatalMessage(program({ { OP_NUM_1 }, { OP_PUTG, g } })),
            "execution left the code unit");
    EXPECT_EQ(text(program({ { OP_GETG, g }, { OP_RET } })), "1");
}

TEST_F(VmTest, PushesNeverPassTheStackEnd)
{
    // An endless loop of pushes.
    EXPECT_EQ(fatalMessage(program({ { OP_NUM_1 }, { OP_J, 0 } })),
            "virtual machine stack too small");
    EXPECT_EQ(cx->sp, cx->stackCapacity);
}

TEST_F(VmTest, PopsNeverPassTheStackStart)
{
    // Well-formed code runs unchecked; each pop below finds no entry under tos, which starts as
    // a text that the stores hand on before their pop fails.
    const int g = global("kept");
    auto underflows = [&](ESCodeUnit *unit) {
        cx->sp = 0;
        cx->tos = stringValue(QStringLiteral("t"));
        return fatalMessage(unit) == "virtual machine stack underflow";
    };
    EXPECT_TRUE(underflows(program({ { OP_PUTG, g }, { OP_RETU } })));
    cx->sp = 0;
    EXPECT_EQ(text(program({ { OP_GETG, g }, { OP_RET } })), "t");
    EXPECT_TRUE(underflows(program({ { OP_PUTL, 0 }, { OP_RETU } })));
    EXPECT_TRUE(underflows(program({ { OP_DROP }, { OP_RETU } })));
    EXPECT_TRUE(underflows(program({ { OP_ADD }, { OP_RET } })));
    EXPECT_TRUE(underflows(program({ { OP_NUM_1 }, { OP_JLT, 0 }, { OP_RETU } })));
    EXPECT_TRUE(underflows(program({ { OP_EQ }, { OP_RET } })));
    EXPECT_TRUE(underflows(program({ { OP_GETX }, { OP_RET } })));
    cx->tos = ESValue();
    // A slot past the stack's end sends the code through the checked loop.
    cx->sp = 0;
    EXPECT_EQ(fatalMessage(program({ { OP_GETL, 1024 }, { OP_RET } })),
            "instruction operand out of range");
    cx->sp = 0;
    EXPECT_EQ(text(program({ { OP_NUM_2 }, { OP_PUTL, 1023 }, { OP_GETL, 1023 }, { OP_RET } })), "2");
}

namespace {
// Lets a fixed number of instructions run.
class CountingContext : public ESContext
{
public:
    bool step() override { return --budget > 0; }
    int budget = 1000;
};
} // namespace

TEST(VmStepHook, StopsAnEndlessLoop)
{
    auto *cx = static_cast<CountingContext *>(setUpContext(nullptr, new CountingContext));
    cx->hasStepHook = true;
    ESCodeUnit unit;
    // 0: NUM_1, 1: DROP, 2: J 0
    unit.code = { OP_NUM_1, OP_DROP, OP_J, 0, 0 };
    unit.lines.assign(unit.code.size(), 1);
    run(cx, &unit);
    EXPECT_EQ(cx->budget, 0);
    EXPECT_EQ(cx->sp, 1); // one entry more, as a finished run leaves
    delete cx;
}

TEST_F(VmTest, DisassemblyNamesOperands)
{
    const int g = global("total");
    ESCodeUnit *unit =
            program({ { OP_NUM, 0 }, { OP_GETG, g }, { OP_ADD }, { OP_CALLF, name("f"), 2 },
                            { OP_JF, 6 }, { OP_STR, name("done") }, { OP_RETU } },
                    { 2.5 });
    const QStringList expected = {
        "    0  NUM 2.5",
        "    3  GETG total",
        "    6  ADD",
        "    7  CALLF f, 2",
        "   12  JF 18",
        "   15  STR done",
        "   18  RETU",
    };
    EXPECT_EQ(disassemble(*unit, cx->globalObject), expected);
    EXPECT_EQ(instructionText(*unit, 3), QStringLiteral("GETG #%1").arg(QString::number(g)));
}
