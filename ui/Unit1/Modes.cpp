// The dialogue modes and the exchange with another copy of the program.

#include "TForm1.h"

void TForm1::CpuUser1Click() {}
void TForm1::Cpu31Click() {}
void TForm1::T6Timer() {}
void TForm1::N38Click() {}
