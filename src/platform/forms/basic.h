#pragma once
// Arithmetic and text rules of the classic run time that the windows' code leans on.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace forms {

// 16-bit Integer conversion: nearest whole number, an exact half to the even neighbour;
// anything outside -32768..32767 (or not a number) is an overflow error.
int16_t CInt(double value);
// 32-bit Long conversion with the same rounding.
int32_t CLng(double value);
// A text's number, as a conversion of the whole text: blanks around plain decimal text such as
// "11520" or "1.5e3"; anything else is a type-mismatch error.
double CDbl(const std::string& text);
// Truncation toward zero.
double Fix(double value);
// The decimal number at the start of a text: its leading digits, 0 when there are none.
// Leading blanks, signs and decimal points are not read: "007" is 7, "-5" and " 5" are 0.
double LeadingDigitsValue(const std::string& text);
// Binary text comparison, byte by byte: <0, 0 or >0.
int BinaryCompare(const std::string& a, const std::string& b);
// Plain decimal text of a single-precision number, as the run time prints it: integral
// values carry no decimal point ("11520"), others up to seven significant digits.
std::string SingleToText(float value);

// The load's "skip any failing statement and go on" mode: each step runs; a run-time
// error (or any standard exception) abandons that step only.
void SkipFailingSteps(std::initializer_list<std::function<void()>> steps);
// One statement under that mode; true when it completed.
bool TryStep(const std::function<void()>& step);

} // namespace forms
