#include "engine/convert.h"
#include "engine/elements.h"
#include "engine/method.h"
#include "enginetest.h"

using ObjectTest = EngineTest;

TEST(Names, InterningIsIdentityAndIndexed)
{
    ESName *a = intern(QStringLiteral("frobnicate"));
    EXPECT_EQ(a, intern("frobnicate"));
    EXPECT_EQ(nameAt(a->index), a);
    EXPECT_NE(a, intern("Frobnicate"));
    EXPECT_EQ(nameForIndex(42), intern("42"));
    EXPECT_EQ(nameForIndex(4000000), intern("4000000"));
    EXPECT_EQ(nameForIndex(4294967295u)->text.toStdString(), "4294967295");
    // Only canonical decimal spellings are array indexes.
    EXPECT_EQ(intern("7")->arrayIndex, 7);
    EXPECT_EQ(intern("07")->arrayIndex, -1);
    EXPECT_EQ(intern("7.0")->arrayIndex, -1);
    EXPECT_EQ(intern("4294967296")->arrayIndex, -1);
    EXPECT_EQ(intern("")->arrayIndex, -1);

    // The table grows many times over; every name is found again from its text and its index.
    std::vector<ESName *> made;
    for (int i = 0; i < 20000; ++i)
        made.push_back(intern(QStringLiteral("name%1").arg(i)));
    for (int i = 0; i < 20000; ++i) {
        const QString text = QStringLiteral("name%1").arg(i);
        ASSERT_EQ(intern(QStringView(text)), made[size_t(i)]) << i;
        ASSERT_EQ(nameAt(made[size_t(i)]->index), made[size_t(i)]);
    }
    EXPECT_EQ(intern(QStringView(u"frobnicate")), a);
    EXPECT_EQ(nameForCharacter(u'b'), intern("b"));
    EXPECT_EQ(nameForCharacter(0x263A), intern(QString(QChar(0x263A))));
}

// Index names keep their texts in shared pages; names on both sides of a page boundary must
// spell their index and be the names that interning the same text finds.
TEST(Names, IndexNamesAcrossTextPages)
{
    for (quint32 i = 200000; i < 215000; ++i) {
        ESName *name = nameForIndex(i);
        ASSERT_EQ(name->text, QString::number(i)) << i;
        ASSERT_EQ(name, intern(QString::number(i))) << i;
        ASSERT_EQ(name->arrayIndex, qint64(i)) << i;
    }
    QString copy = nameForIndex(214999)->text;
    copy += u'!';
    EXPECT_EQ(copy, QStringLiteral("214999!"));
    EXPECT_EQ(nameForIndex(214999)->text, QStringLiteral("214999"));
}

TEST_F(ObjectTest, AttributesGovernPutDeleteAndEnumeration)
{
    ESObject *o = newObject(cx, cx->objectPrototype, cx->objectClass);
    ESName *fixed = intern("fixed"), *hidden = intern("hidden"), *plain = intern("plain");
    defineProperty(cx, o, ReadOnly | DontDelete, fixed, numberValue(1));
    defineProperty(cx, o, DontEnum, hidden, numberValue(2));
    putProperty(cx, o, plain, numberValue(3));

    putProperty(cx, o, fixed, numberValue(10)); // ignored silently
    EXPECT_EQ(getProperty(cx, o, fixed).asNumber(), 1);
    defineProperty(cx, o, ReadOnly | DontDelete, fixed, numberValue(11)); // the engine may
    EXPECT_EQ(getProperty(cx, o, fixed).asNumber(), 11);

    EXPECT_FALSE(deleteOwn(o, fixed));
    EXPECT_TRUE(hasOwnProperty(o, fixed));
    EXPECT_TRUE(deleteOwn(o, intern("absent")));
    EXPECT_FALSE(isEnumerableOwn(o, hidden));
    EXPECT_TRUE(isEnumerableOwn(o, plain));

    // Deleting clears the entry in place; adding the name again appends it last.
    EXPECT_TRUE(deleteOwn(o, plain));
    EXPECT_FALSE(hasOwnProperty(o, plain));
    EXPECT_TRUE(getProperty(cx, o, plain).isUndefined());
    putProperty(cx, o, plain, numberValue(4));
    ASSERT_EQ(o->properties.size(), 4);
    EXPECT_EQ(o->properties[2].name, nullptr);
    EXPECT_EQ(o->properties[3].name, plain);
}

TEST_F(ObjectTest, LookupFollowsThePrototypeChainAndPutStaysOwn)
{
    ESObject *base = newObject(cx, nullptr, cx->objectClass);
    ESObject *derived = newObject(cx, base, cx->objectClass);
    ESName *x = intern("x");
    putProperty(cx, base, x, numberValue(1));
    EXPECT_EQ(getProperty(cx, derived, x).asNumber(), 1);
    EXPECT_TRUE(hasProperty(derived, x));
    EXPECT_FALSE(hasOwnProperty(derived, x));
    putProperty(cx, derived, x, numberValue(2)); // shadows, base unchanged
    EXPECT_EQ(getProperty(cx, base, x).asNumber(), 1);
    EXPECT_EQ(getProperty(cx, derived, x).asNumber(), 2);
    EXPECT_TRUE(isPrototypeOf(base, objectValue(derived)));
    EXPECT_FALSE(isPrototypeOf(derived, objectValue(derived)));
    EXPECT_FALSE(isPrototypeOf(base, numberValue(1)));
}

TEST_F(ObjectTest, LargeObjectsKeepOrderPositionsAndDeletions)
{
    // Past a few dozen entries lookups go through an index; the vector's order must not change.
    ESObject *o = newObject(cx, nullptr, cx->objectClass);
    const int count = 5000;
    for (int i = 0; i < count; ++i)
        putProperty(cx, o, intern(QStringLiteral("p%1").arg(i)), numberValue(i));
    for (int i = 0; i < count; i += 2)
        EXPECT_TRUE(deleteOwn(o, intern(QStringLiteral("p%1").arg(i))));
    for (int i = 0; i < count; ++i) {
        ESName *name = intern(QStringLiteral("p%1").arg(i));
        ASSERT_EQ(hasOwnProperty(o, name), i % 2 == 1) << i;
        if (i % 2) {
            ASSERT_EQ(o->properties.find(name), i);
        }
    }
    putProperty(cx, o, intern("p0"), numberValue(-1));
    EXPECT_EQ(o->properties.find(intern("p0")), count);
    EXPECT_EQ(getProperty(cx, o, intern("p0")).asNumber(), -1);

    // Growing moves the entries; string values they hold must come along intact.
    ESObject *texts = newObject(cx, nullptr, cx->objectClass);
    for (int i = 0; i < count; ++i)
        putProperty(cx, texts, nameForIndex(quint32(i)), stringValue(QStringLiteral("t%1").arg(i)));
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(getProperty(cx, texts, nameForIndex(quint32(i))).text(),
                QStringLiteral("t%1").arg(i));
}


TEST_F(ObjectTest, SmallObjectsFindEveryNameTheyHoldAndNoOther)
{
    // Names whose indexes differ by multiples of 64 share a bit of the header's filter; each
    // must still be told apart, found where it was appended, and missed where it was not.
    std::vector<ESName *> names;
    for (int i = 0; names.size() < 6; ++i) {
        ESName *name = intern(QStringLiteral("collide%1").arg(i));
        if (names.empty() || (name->index & 63) == (names[0]->index & 63))
            names.push_back(name);
    }
    ESObject *o = newObject(cx, nullptr, cx->objectClass);
    EXPECT_EQ(o->properties.find(names[0]), -1);
    for (int i = 0; i < 3; ++i)
        putProperty(cx, o, names[size_t(i)], numberValue(i));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(o->properties.find(names[size_t(i)]), i < 3 ? i : -1) << i;
    EXPECT_EQ(o->properties.find(intern("neverStoredAnywhere")), -1);

    // A deleted entry is not found, and storing the name again appends it.
    EXPECT_TRUE(deleteOwn(o, names[1]));
    EXPECT_EQ(o->properties.find(names[1]), -1);
    putProperty(cx, o, names[1], numberValue(9));
    EXPECT_EQ(o->properties.find(names[1]), 3);
    EXPECT_EQ(getProperty(cx, o, names[1]).asNumber(), 9);

    // Through a prototype: the inherited value, and the own one once it shadows it.
    ESObject *child = newObject(cx, o, cx->objectClass);
    EXPECT_EQ(getProperty(cx, child, names[2]).asNumber(), 2);
    putProperty(cx, child, names[2], numberValue(20));
    EXPECT_EQ(getProperty(cx, child, names[2]).asNumber(), 20);
    EXPECT_TRUE(getProperty(cx, child, names[4]).isUndefined());
}
TEST_F(ObjectTest, ArrayLengthFollowsIndexStores)
{
    // The Array methods store through putElement, which must keep the length as the class's put.
    for (const bool throughElements : { false, true }) {
        SCOPED_TRACE(throughElements ? "putElement" : "putProperty");
        ESObject *a = makeArray(cx, 0, nullptr);
        auto length = [&] { return getProperty(cx, a, names::length).asNumber(); };
        auto store = [&](quint32 index) {
            if (throughElements)
                putElement(cx, a, index, numberValue(1));
            else
                putProperty(cx, a, nameForIndex(index), numberValue(1));
        };
        store(5);
        EXPECT_EQ(length(), 6);
        putProperty(cx, a, intern("05"), numberValue(1)); // not an index
        EXPECT_EQ(length(), 6);
        putProperty(cx, a, names::length, numberValue(2)); // truncating removes nothing
        EXPECT_EQ(length(), 2);
        EXPECT_EQ(getElement(cx, a, 5).asNumber(), 1);
        store(5); // an element kept past the length raises it again
        EXPECT_EQ(length(), 6);
        store(2147483646);
        EXPECT_EQ(length(), 2147483647);
        store(2147483647); // past the index range
        EXPECT_EQ(length(), 2147483647);
        EXPECT_EQ(lengthOf(cx, a), 2147483647u);
    }
}

TEST_F(ObjectTest, ElementsInOrderAndOutOfOrderAgree)
{
    // Elements stored out of order among named properties, some deleted, in an array large
    // enough to be indexed: the ones in order are bare values, the others entries, and every
    // lookup, hit or miss, must agree with what was stored.
    ESObject *a = makeArray(cx, 0, nullptr);
    const quint32 count = 3000;
    for (quint32 i = 0; i < count; ++i) {
        putElement(cx, a, i < 100 ? i : 100 + (i * 7919) % (count - 100), numberValue(i));
        if (i % 100 == 0)
            putProperty(cx, a, intern(QStringLiteral("n%1").arg(i)), numberValue(-double(i)));
    }
    EXPECT_GE(a->properties.elementCount(), 100u);
    for (quint32 i = 0; i < count; i += 3)
        deleteElement(cx, a, i);
    EXPECT_EQ(a->properties.elementCount(), 0u); // deleting element 0 left a gap at the start
    for (quint32 i = 0; i < count; ++i) {
        ESValue value;
        ASSERT_EQ(readElement(cx, a, i, value), i % 3 != 0) << i;
        ASSERT_EQ(hasOwnProperty(a, nameForIndex(i)), i % 3 != 0) << i;
        if (i < 100 && i % 3) {
            ASSERT_EQ(value.asNumber(), i);
        }
        if (i % 100 == 0) {
            ASSERT_EQ(getProperty(cx, a, intern(QStringLiteral("n%1").arg(i))).asNumber(),
                    -double(i));
        }
    }
    EXPECT_TRUE(getElement(cx, a, count).isUndefined());
    EXPECT_FALSE(hasOwnProperty(a, intern("n1")));
    EXPECT_EQ(lengthOf(cx, a), count);

    // An attribute turns the element and those after it into entries; the values stay.
    ESObject *b = makeArray(cx, 0, nullptr);
    for (quint32 i = 0; i < 10; ++i)
        putElement(cx, b, i, numberValue(i * 10));
    defineProperty(cx, b, ReadOnly, nameForIndex(4), numberValue(44));
    EXPECT_EQ(b->properties.elementCount(), 4u);
    putElement(cx, b, 4, numberValue(0));
    EXPECT_EQ(getElement(cx, b, 4).asNumber(), 44);
    EXPECT_EQ(getElement(cx, b, 9).asNumber(), 90);
    EXPECT_TRUE(deleteOwn(b, nameForIndex(2)));
    EXPECT_FALSE(hasOwnProperty(b, nameForIndex(2)));
    EXPECT_EQ(getElement(cx, b, 3).asNumber(), 30);

    // A stack kept by push and pop gives its room back instead of growing with every push.
    ESObject *stack = makeArray(cx, 0, nullptr);
    for (int round = 0; round < 1000; ++round) {
        putElement(cx, stack, 0, numberValue(round));
        putElement(cx, stack, 1, numberValue(round));
        deleteElement(cx, stack, 1);
        deleteElement(cx, stack, 0);
    }
    EXPECT_EQ(stack->properties.size(), 1);
    EXPECT_EQ(stack->properties.elementCount(), 0u);
}

namespace {
// Answers the number stored in the function's "answer" property, or Undefined when absent.
class AnsweringClass : public ESClass
{
public:
    AnsweringClass() : ESClass("Answering") { }
    void call(ESContext *cx, ESObject *function, ESObject *, int, ESValue *arguments) override
    {
        arguments[0] = getProperty(cx, function, intern("answer"));
    }
};
} // namespace

TEST_F(ObjectTest, DefaultValueTriesValueOfThenToString)
{
    AnsweringClass answering;
    ESObject *o = newObject(cx, nullptr, cx->objectClass);
    auto method = [&](const char *name, ESValue answer) {
        ESObject *f = newNativeFunction(cx, o, ESMethodRow{ name, name, 0, 0, 0, nullptr }.entry(),
                cx->functionPrototype, &answering);
        if (!answer.isUndefined())
            putProperty(cx, f, intern("answer"), answer);
    };
    method("valueOf", ESValue());
    method("toString", numberValue(5));
    EXPECT_EQ(toNumber(cx, objectValue(o)), 5); // Undefined from valueOf counts as nothing
    EXPECT_EQ(toString(cx, objectValue(o)).toStdString(), "5");

    putProperty(cx, getProperty(cx, o, names::toString).asObject(), intern("answer"), ESValue());
    EXPECT_EQ(errorMessage([&] { toNumber(cx, objectValue(o)); }), "type error: no default value");
    EXPECT_EQ(cx->sp, 0); // the calls left the stack as they found it
}
