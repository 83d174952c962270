// Being written.
#include "main_window/form4.h"

void Form4::Timer4_Timer() {}
void Form4::DrawCreditColour() {}
