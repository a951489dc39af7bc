// Colours, fonts, full screen and the about window.

#include "TForm1.h"

void TForm1::N6Click() {}
void TForm1::N21Click() {}
void TForm1::N16Click() {}
void TForm1::N9Click() {}
void TForm1::User1Click() {}
void TForm1::Cpu1Click() {}
void TForm1::Mystring2Click() {}
void TForm1::User2Click() {}
void TForm1::Cpu2Click() {}
void TForm1::Mystring1Click() {}
void TForm1::N13Click() {}
void TForm1::N40Click() {}
void TForm1::N12Click() {}
