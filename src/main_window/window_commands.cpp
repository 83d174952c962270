// Being written.
#include "main_window/form4.h"

void Form4::Image1_Click() {}
void Form4::Image2_Click() {}
void Form4::Timer5_Timer() {}
void Form4::Form_MouseDown(int, int, double, double) {}
