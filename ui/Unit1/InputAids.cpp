// The keyboard-layout conversion and the on-screen keyboard.

#include "TForm1.h"

#include "engine/LayoutConversion.h"
#include "ui/Unit4/TForm4.h"

void TForm1::EnRusClick() {
    playCue(engine::Cue::Layout);
    const std::string text = inputText();
    if (text.empty())
        return;
    // One write, and only when something changed: that write alone sounds
    // the keyboard cue.
    const std::string converted = engine::convertLayout(text);
    if (converted != text)
        setInputText(converted);
}

void TForm1::N36Click() {
    EnRusClick();
}

void TForm1::N22Click() {
    if (Form4)
        Form4->open();
}
