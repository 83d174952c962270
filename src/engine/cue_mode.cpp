// Being written.
#include "main_window/form4.h"

void Form4::Check1_Click() {}
void Form4::command11_Click() {}
void Form4::Label11_Click() {}
void Form4::CueOK() {}
void Form4::Text2_KeyPress(int16_t&) {}
void Form4::Text3_KeyPress(int16_t&) {}
void Form4::Timer2_Timer() {}
void Form4::Timer1_Timer() {}
void Form4::SweepTick(bool) {}
void Form4::HoldStartSecond() {}
void Form4::Timer3_Timer() {}
