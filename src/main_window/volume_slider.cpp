// Being written.
#include "main_window/form4.h"

void Form4::imgVol_MouseDown(int, int, double, double) {}
void Form4::imgVol_MouseUp(int, int, double, double) {}
void Form4::tmrMove_Timer() {}
void Form4::moving_Timer() {}
void Form4::CursorStep() {}
void Form4::Timer6_Timer() {}
void Form4::Timer7_Timer() {}
void Form4::Form_MouseMove(int, int, double, double) {}
