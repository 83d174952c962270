// Being written.
#include "main_window/form4.h"

void Form4::LoadSecondPhase() {}
void Form4::SetDomeRegion() {}
void Form4::Timer8_Timer() {}
