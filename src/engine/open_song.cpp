// Being written.
#include "main_window/form4.h"

void Form4::List1_DblClick() {}
void Form4::Text1_Change() {}
