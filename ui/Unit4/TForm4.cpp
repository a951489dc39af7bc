#include "TForm4.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

constexpr int kClientWidth = 353;
constexpr int kClientHeight = 145;

} // namespace

// A tool window without system menu and close box: its menu hides it.
TForm4::TForm4(ui::MainWindowLink& main) : AuxiliaryWindow(main, Qt::Tool) {
    setWindowTitle(QStringLiteral("Виртуальная клавиатура"));

    menu = new QMenuBar(this);
    QMenu* system = menu->addMenu(QStringLiteral("&Система"));
    N2 = system->addAction(QStringLiteral("С&крыть виртуальную клавиатуру"));
    connect(N2, &QAction::triggered, this, &TForm4::N2Click);
    const int top = menu->sizeHint().height();
    menu->setGeometry(0, 0, kClientWidth, top);
    auto* client = new QWidget(this);
    client->setGeometry(0, top, kClientWidth, kClientHeight);
    setFixedSize(kClientWidth, kClientHeight + top);

    QPalette boxPalette = palette();
    boxPalette.setColor(QPalette::WindowText, Qt::white); // the box captions
    signs = new QGroupBox(QStringLiteral("Знаки:"), client);
    signs->setGeometry(3, 3, 305, 57);
    signs->setPalette(boxPalette);
    letters = new QGroupBox(QStringLiteral("Буквы:"), client);
    letters->setGeometry(3, 60, 305, 57);
    letters->setPalette(boxPalette);

    // Sign keys insert the same character whatever the case state.
    static const Key signRow1[] = {
        {"SB4", 25, "#", 0x23, 0x23},   {"SB5", 41, "$", 0x24, 0x24},
        {"SB6", 57, "%", 0x25, 0x25},   {"SB7", 73, "&&", 0x26, 0x26},
        {"Sd8", 89, "*", 0x2A, 0x2A},   {"SB13", 105, "+", 0x2B, 0x2B},
        {"SB14", 121, "=", 0x3D, 0x3D}, {"SB15", 137, "\\", 0x5C, 0x5C},
        {"SB16", 153, "|", 0x7C, 0x7C}, {"SB17", 169, "/", 0x2F, 0x2F},
        {"SB18", 185, "[", 0x5B, 0x5B}, {"SB19", 201, "]", 0x5D, 0x5D},
        {"SB20", 217, "{", 0x7B, 0x7B}, {"SB21", 233, "}", 0x7D, 0x7D},
        {"SB64", 249, "~", 0x7E, 0x7E}, {"SB65", 265, "`", 0x60, 0x60},
    };
    static const Key signRow2[] = {
        {"SB28", 65, ",", 0x2C, 0x2C},   {"SB27", 81, ".", 0x2E, 0x2E},
        {"SB2", 97, "!", 0x21, 0x21},    {"SB22", 113, "?", 0x3F, 0x3F},
        {"SB9", 129, "(", 0x28, 0x28},   {"SB10", 145, ")", 0x29, 0x29},
        {"SB11", 161, "-", 0x2D, 0x2D},  {"SB12", 177, ":", 0x3A, 0x3A},
        {"SB24", 193, "\"", 0x22, 0x22}, {"SB25", 209, "<", 0x3C, 0x3C},
        {"SB26", 225, ">", 0x3E, 0x3E},
    };
    // Letter keys show the capital and insert the small letter or the capital.
    static const Key letterRow1[] = {
        {"SB29", 8, "А", 0xE0, 0xC0},   {"SB30", 25, "Б", 0xE1, 0xC1},
        {"SB31", 42, "В", 0xE2, 0xC2},  {"SB32", 59, "Г", 0xE3, 0xC3},
        {"SB33", 76, "Д", 0xE4, 0xC4},  {"SB34", 93, "Е", 0xE5, 0xC5},
        {"SB35", 110, "Ё", 0xB8, 0xA8}, {"SB36", 127, "Ж", 0xE6, 0xC6},
        {"SB37", 144, "З", 0xE7, 0xC7}, {"SB38", 161, "И", 0xE8, 0xC8},
        {"SB39", 178, "Й", 0xE9, 0xC9}, {"SB40", 195, "К", 0xEA, 0xCA},
        {"SB41", 212, "Л", 0xEB, 0xCB}, {"SB42", 229, "М", 0xEC, 0xCC},
        {"SB43", 246, "Н", 0xED, 0xCD}, {"SB44", 263, "О", 0xEE, 0xCE},
        {"SB45", 280, "П", 0xEF, 0xCF},
    };
    static const Key letterRow2[] = {
        {"SB46", 16, "Р", 0xF0, 0xD0},  {"SB47", 33, "С", 0xF1, 0xD1},
        {"SB48", 50, "Т", 0xF2, 0xD2},  {"SB49", 67, "У", 0xF3, 0xD3},
        {"SB50", 84, "Ф", 0xF4, 0xD4},  {"SB51", 101, "Х", 0xF5, 0xD5},
        {"SB52", 118, "Ц", 0xF6, 0xD6}, {"SB53", 135, "Ч", 0xF7, 0xD7},
        {"SB54", 152, "Ш", 0xF8, 0xD8}, {"SB55", 169, "Щ", 0xF9, 0xD9},
        {"SB56", 186, "Ъ", 0xFA, 0xDA}, {"SB57", 203, "Ы", 0xFB, 0xDB},
        {"SB58", 220, "Ь", 0xFC, 0xDC}, {"SB59", 237, "Э", 0xFD, 0xDD},
        {"SB60", 254, "Ю", 0xFE, 0xDE}, {"SB61", 271, "Я", 0xFF, 0xDF},
    };
    for (const Key& key : signRow1)
        makeKey(signs, key, 16, 16);
    for (const Key& key : signRow2)
        makeKey(signs, key, 33, 16);
    QPalette letterPalette = palette();
    letterPalette.setColor(QPalette::ButtonText, Qt::black);
    for (const Key& key : letterRow1)
        makeKey(letters, key, 16, 17)->setPalette(letterPalette);
    for (const Key& key : letterRow2)
        makeKey(letters, key, 33, 17)->setPalette(letterPalette);

    const auto special = [&](const QString& caption, const QRect& geometry) {
        auto* button = new QToolButton(client);
        button->setText(caption);
        button->setGeometry(geometry);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    SB62 = special(QStringLiteral("Bcksp"), {310, 9, 41, 50});
    SB66 = special(QStringLiteral("[Enter]"), {310, 65, 41, 51});
    SB23 = special(QStringLiteral("Пробел"), {26, 119, 134, 22});
    SB63 = special(QStringLiteral("Caps Lock [не нажат]"), {161, 119, 123, 22});
    connect(SB62, &QToolButton::clicked, this, &TForm4::SB62Click);
    connect(SB66, &QToolButton::clicked, this, &TForm4::SB66Click);
    connect(SB23, &QToolButton::clicked, this, &TForm4::SB23Click);
    connect(SB63, &QToolButton::clicked, this, &TForm4::SB63Click);

    T1 = new ui::Timer(1, true, [this] { T1Timer(); }, this);
    FormCreate();
}

QToolButton* TForm4::makeKey(QWidget* parent, const Key& key, int top, int width) {
    auto* button = new QToolButton(parent);
    button->setText(QString::fromUtf8(key.caption));
    button->setGeometry(key.left, top, width, 17);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setObjectName(QString::fromLatin1(key.name));
    keys_[button->objectName()] = button;
    inserts_[button] = {static_cast<char>(key.small), static_cast<char>(key.capital)};
    connect(button, &QToolButton::clicked, this, [this, button] { characterKeyClick(button); });
    return button;
}

QToolButton* TForm4::key(const QString& name) const {
    const auto found = keys_.find(name);
    return found == keys_.end() ? nullptr : found->second;
}

void TForm4::FormCreate() {
    CapsState = 0;
}

void TForm4::open() {
    openOverMain();
    T1->setEnabled(true);
}

void TForm4::closeForLeave() {
    hide();
}

void TForm4::T1Timer() {
    const bool typed = !main_.inputText().empty();
    SB62->setEnabled(typed);
    SB66->setEnabled(typed);
}

void TForm4::N2Click() {
    T1->setEnabled(false);
    returnToMain();
}

void TForm4::appendCharacter(char c) {
    // Always at the end, whatever the caret and the selection, and beyond the
    // field's typing limit.
    main_.setInputText(main_.inputText() + c);
}

void TForm4::characterKeyClick(QToolButton* key) {
    const auto [small, capital] = inserts_.at(key);
    appendCharacter(CapsState == 1 ? capital : small);
}

void TForm4::SB23Click() {
    appendCharacter(' ');
}

void TForm4::SB62Click() {
    const std::string text = main_.inputText();
    if (!text.empty())
        main_.setInputText(text.substr(0, text.size() - 1));
}

void TForm4::SB66Click() {
    main_.clickSpeak();
}

void TForm4::SB63Click() {
    if (++CapsState == 2)
        CapsState = 0;
    SB63->setText(CapsState == 0 ? QStringLiteral("Caps Lock [не нажат]")
                                 : QStringLiteral("Caps Lock [нажат]"));
}
