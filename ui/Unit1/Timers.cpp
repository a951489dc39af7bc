// The timed prompts and window effects: idle prompt, follow-up line,
// greeting, window shake and leave animation.

#include "TForm1.h"

void TForm1::T2Timer() {}
void TForm1::T9Timer() {}
void TForm1::T10Timer() {}
void TForm1::T7Timer() {}
void TForm1::T4Timer() {}
