#pragma once
// The credit line in the status strip: it types itself out one character a tick, stands whole,
// then the strip is blank for a while, and each switch between the two draws a new colour.
#include <string>

// The part of the credit line shown after `count` characters have been typed.
std::string CreditLineShown(const std::string& line, int count);

// The colour of seven random digits drawn one by one ("1234567890" indexed 1 to 10), as text.
char CreditDigit(float r);
