#include "builtins/nativearray.h"
#include "builtins/nativeboolean.h"
#include "builtins/nativedate.h"
#include "builtins/nativeerror.h"
#include "builtins/nativefunction.h"
#include "builtins/nativemath.h"
#include "builtins/nativenumber.h"
#include "builtins/nativeobject.h"
#include "builtins/nativestring.h"
#include "engine/context.h"
#include "engine/global.h"

void createBuiltinClasses(ESContext *cx)
{
    cx->arrayClass = new ESNativeArray;
    cx->functionClass = new ESNativeFunction;
    cx->errorClass = new ESNativeError;
    cx->evalErrorClass = new ESNativeEvalError;
    cx->numberClass = new ESNativeNumber;
    cx->stringClass = new ESNativeString;
    cx->booleanClass = new ESNativeBoolean;
    cx->referenceErrorClass = new ESNativeReferenceError;
    cx->rangeErrorClass = new ESNativeRangeError;
    cx->syntaxErrorClass = new ESNativeSyntaxError;
    cx->typeErrorClass = new ESNativeTypeError;
    cx->dateClass = new ESNativeDate;
    cx->objectClass = new ESNativeObject;
    cx->mathClass = new ESNativeMath;
}

// The order of the set-ups is fixed: later classes find the constructors of earlier ones.
void setUpBuiltinClasses(ESContext *cx)
{
    static_cast<ESNativeObject *>(cx->objectClass)->setUp(cx);
    static_cast<ESNativeBoolean *>(cx->booleanClass)->setUp(cx);
    static_cast<ESNativeArray *>(cx->arrayClass)->setUp(cx);
    cx->globalClass->setUp(cx);
    static_cast<ESNativeError *>(cx->errorClass)->setUp(cx);
    static_cast<ESNativeError *>(cx->rangeErrorClass)->setUpDerived(cx, "RangeError", 0);
    static_cast<ESNativeError *>(cx->referenceErrorClass)->setUpDerived(cx, "ReferenceError", 0);
    static_cast<ESNativeError *>(cx->syntaxErrorClass)->setUpDerived(cx, "SyntaxError", 0);
    static_cast<ESNativeError *>(cx->typeErrorClass)->setUpDerived(cx, "TypeError", 0);
    static_cast<ESNativeError *>(cx->evalErrorClass)
            ->setUpDerived(cx, "EvalError", DontEnum | DontDelete);
    static_cast<ESNativeNumber *>(cx->numberClass)->setUp(cx);
    static_cast<ESNativeMath *>(cx->mathClass)->setUp(cx);
    static_cast<ESNativeString *>(cx->stringClass)->setUp(cx);
    static_cast<ESNativeFunction *>(cx->functionClass)->setUp(cx);
    static_cast<ESNativeDate *>(cx->dateClass)->setUp(cx);
}
