// Being written.
#include "main_window/form4.h"

void Form4::Command2_MouseDown(int, int, double, double) {}
void Form4::Command2_MouseUp(int, int, double, double) {}
void Form4::Label8_MouseDown(int, int, double, double) {}
void Form4::Label8_MouseUp(int, int, double, double) {}
void Form4::command13_MouseDown(int, int, double, double) {}
void Form4::command13_MouseUp(int, int, double, double) {}
void Form4::Label7_MouseDown(int, int, double, double) {}
void Form4::Label7_MouseUp(int, int, double, double) {}
void Form4::command11_MouseDown(int, int, double, double) {}
void Form4::command11_MouseUp(int, int, double, double) {}
void Form4::Label11_MouseDown(int, int, double, double) {}
void Form4::Label11_MouseUp(int, int, double, double) {}
void Form4::Command2_Click() {}
void Form4::Label8_Click() {}
void Form4::command13_Click() {}
void Form4::Label7_Click() {}
void Form4::Check2_Click() {}
void Form4::Check3_Click() {}
