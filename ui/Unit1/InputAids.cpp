// The keyboard-layout conversion and the on-screen keyboard.

#include "TForm1.h"

void TForm1::EnRusClick() {}
void TForm1::N36Click() {}
void TForm1::N22Click() {}
