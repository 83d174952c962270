// Being written.
#include "main_window/form4.h"

void Form4::LoadFirstPhase() {}
