// Being written.
#include "main_window/form4.h"

void Form4::Timer_Timer() {}
void Form4::Check4_Click() {}
