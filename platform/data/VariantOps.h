#pragma once
// Arithmetic, comparison and logic on variants. Null spreads through
// arithmetic, unassigned reads as 0 or the empty text, two texts join under
// "+", a text meets a number as the number it spells, and anything else the
// rules refuse raises EVariantError. Division by zero raises EZeroDivide.
#include "platform/data/Variant.h"

Variant VarAdd(const Variant& a, const Variant& b);
Variant VarSub(const Variant& a, const Variant& b);
Variant VarMul(const Variant& a, const Variant& b);
// Real division, whatever the operands.
Variant VarDiv(const Variant& a, const Variant& b);
// Both as floats; the result is a double.
Variant VarPower(const Variant& a, const Variant& b);
Variant VarNeg(const Variant& a);
// Boolean for Booleans, bitwise for integers.
Variant VarNot(const Variant& a);
Variant VarAnd(const Variant& a, const Variant& b);
Variant VarOr(const Variant& a, const Variant& b);

// -1, 0 or 1. Null and unassigned equal each other and come before every
// value; texts compare by character codes; a text against a number must
// spell a number.
int VarCompare(const Variant& a, const Variant& b);
