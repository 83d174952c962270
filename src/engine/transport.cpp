// Being written.
#include "main_window/form4.h"

void Form4::play_Click() {}
void Form4::pause_Click() {}
void Form4::stop1_Click() {}
void Form4::mute_Click() {}
void Form4::minusminus_Click() {}
void Form4::minus_Click() {}
void Form4::plus_Click() {}
void Form4::plusplus_Click() {}
void Form4::SeekBy(double) {}
