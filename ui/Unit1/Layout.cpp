// The main window as it is created: its controls with their places, sizes,
// captions and hints, the menu, the timers and the wave players.

#include "TForm1.h"

#include "ui/common/Hint.h"
#include "ui/common/Look.h"
#include "ui/common/StatusBar.h"
#include "ui/common/Text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionMenuItem>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolButton>
#include <QValidator>

namespace {

using ui::kSilver;

constexpr int kClientWidth = 587;
constexpr int kClientHeight = 361;

QAction* addItem(QMenu* menu, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setProperty("firstCaption", caption);
    return item;
}

// Menu items run their handler with the check mark as it was: the handler
// itself decides the mark, as the program's handlers always have.
void onTriggered(QAction* item, TForm1* window, void (TForm1::*handler)()) {
    QObject::connect(item, &QAction::triggered, window, [item, window, handler] {
        if (item->isCheckable())
            item->setChecked(!item->isChecked());
        (window->*handler)();
    });
}

// The input field takes at most 255 typed characters; the on-screen keyboard
// may write more, and such a text can still be shortened by typing.
class TypingLimit : public QValidator {
public:
    explicit TypingLimit(QLineEdit* field) : QValidator(field) {
        // While the validator runs, the field already holds the new text:
        // the length before the edit is kept here.
        connect(field, &QLineEdit::textChanged, this,
                [this](const QString& text) { lengthBefore_ = text.size(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= 255 || input.size() <= lengthBefore_ ? Acceptable : Invalid;
    }

private:
    qsizetype lengthBefore_ = 0;
};

// N15 and N36 are separators that carry a shortcut; menus would print the
// shortcut on them. They show as plain divider lines.
class PlainSeparators : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            element == CE_MenuItem && item && item->menuItemType == QStyleOptionMenuItem::Separator) {
            QStyleOptionMenuItem plain(*item);
            plain.text.clear();
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            type == CT_MenuItem && item && item->menuItemType == QStyleOptionMenuItem::Separator) {
            QStyleOptionMenuItem plain(*item);
            plain.text.clear();
            return QProxyStyle::sizeFromContents(type, &plain, size, widget);
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

QToolButton* speedButton(QWidget* parent, const QString& caption, const QRect& geometry,
                         const QString& name, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    ui::describe(button, name, hint);
    button->setEnabled(false);
    return button;
}

} // namespace

TForm1::TForm1(const ui::MainWindowOptions& options) : QMainWindow(nullptr) {
    const QString directory =
        options.workingDirectory.isEmpty() ? QDir::currentPath() : options.workingDirectory;
    store_ = std::make_unique<kb::FileStore>(directory.toStdString());
    const engine::Clock* clock = options.clock;
    if (!clock) {
        ownClock_ = std::make_unique<engine::SystemClock>();
        clock = ownClock_.get();
    }
    conversation_ = std::make_unique<engine::Conversation>(*store_, *this, *clock);

    setWindowTitle(QStringLiteral("Talkbase — собеседник. Разработка: команда Talkbase, v2.207"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    ui::giveWindowLook(this);
    setCursor(Qt::ForbiddenCursor);

    createControls();
    createMenu();
    createTimers();
    createPlayers(options.sound);

    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    FormCreate();
}

TForm1::~TForm1() {
    if (busy_)
        QApplication::restoreOverrideCursor();
}

void TForm1::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    TabControl1 = new QFrame(client);
    TabControl1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    TabControl1->setGeometry(0, 0, 588, 313);
    ui::describe(TabControl1, QStringLiteral("Область диалога"));

    RE1 = new QTextEdit(TabControl1);
    RE1->setGeometry(3, 6, 581, 303);
    RE1->setReadOnly(true);
    RE1->setUndoRedoEnabled(false);
    RE1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RE1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RE1->viewport()->setCursor(Qt::ForbiddenCursor);
    ui::describe(RE1, QStringLiteral("Диалог"), QStringLiteral("Поле для отображения диалога"));
    RE1->setFocusPolicy(Qt::ClickFocus);
    QPalette displayPalette = RE1->palette();
    displayPalette.setColor(QPalette::Base, kSilver);
    // The selection stays visible when the display has no focus.
    displayPalette.setColor(QPalette::Inactive, QPalette::Highlight,
                            displayPalette.color(QPalette::Active, QPalette::Highlight));
    displayPalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                            displayPalette.color(QPalette::Active, QPalette::HighlightedText));
    RE1->setPalette(displayPalette);

    Talk = new QPushButton(QStringLiteral("<ENTER> (Для кнопки сказать)"), TabControl1);
    Talk->setGeometry(-200, 0, 186, 17);
    Talk->setFocusPolicy(Qt::NoFocus);
    Talk->setEnabled(false);
    connect(Talk, &QPushButton::clicked, this, &TForm1::TalkClick);

    TabControl2 = new QFrame(client);
    TabControl2->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    TabControl2->setGeometry(0, 312, 585, 30);
    ui::describe(TabControl2, QStringLiteral("Панель ввода"));

    Input = new QLineEdit(TabControl2);
    Input->setGeometry(3, 5, 422, 21);
    Input->setValidator(new TypingLimit(Input));
    ui::describe(Input, QStringLiteral("Фраза"), QStringLiteral("Поле для ввода фразы пользователя"));
    Input->setCursor(Qt::IBeamCursor);
    Input->setFont(ui::defaultFont());
    QPalette inputPalette = Input->palette();
    inputPalette.setColor(QPalette::Base, kSilver);
    inputPalette.setColor(QPalette::Text, Qt::black);
    Input->setPalette(inputPalette);
    Input->installEventFilter(this);
    connect(Input, &QLineEdit::textChanged, this, &TForm1::InputChange);
    connect(Input, &QLineEdit::returnPressed, this, [this] {
        // Enter reaches the hidden default button only while it is enabled.
        if (Talk->isEnabled())
            TalkClick();
    });

    Cancel = speedButton(TabControl2, QStringLiteral("<"), {426, 5, 27, 22}, QStringLiteral("Отмена"),
                         QStringLiteral("Отмена (Альтернатива клавиша: <Ctrl + Z>)"));
    EnRus = speedButton(TabControl2, QStringLiteral("E/R"), {453, 5, 43, 22},
                        QStringLiteral("Раскладка"),
                        QStringLiteral("Раскладка (Альтернатива клавиша: <Ctrl + S>)"));
    Speak = speedButton(TabControl2, QStringLiteral("Сказать"), {496, 5, 86, 22},
                        QStringLiteral("Сказать"),
                        QStringLiteral("Кнопка отправки текста (Альтернативная клавиша: <ENTER>)"));
    connect(Cancel, &QToolButton::clicked, this, &TForm1::CancelClick);
    connect(EnRus, &QToolButton::clicked, this, &TForm1::EnRusClick);
    connect(Speak, &QToolButton::clicked, this, &TForm1::SpeakClick);

    SB1 = new ui::StatusBar({130, 322, 50}, client);
    SB1->setGeometry(0, 342, kClientWidth, kClientHeight - 342);
    SB1->setCursor(Qt::WhatsThisCursor);
    ui::describe(SB1, QStringLiteral("Индикатор"), QStringLiteral("Индикатор"));
    SB1->setPanelName(0, QStringLiteral("Состояние загрузки"));
    SB1->setPanelName(1, QStringLiteral("Статистика базы"));
    SB1->setPanelName(2, QStringLiteral("Режим диалога"));
    SB1->setPanelText(2, QStringLiteral("Режим Cpu\\User"));

    // Ctrl+C belongs to the window: the poller keeps moving the focus into
    // the input field, which would otherwise take the key for itself.
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &TForm1::copySelection);

    displayFormat_.setFont(ui::defaultFont());
    displayFormat_.setForeground(QColor(Qt::black));
    FontDialog3.MinFontSize = FontDialog3.MaxFontSize = 8; // the input font stays at 8 points
}

void TForm1::createMenu() {
    QMenuBar* bar = menuBar();
    bar->setCursor(Qt::ArrowCursor);

    N1 = bar->addMenu(QStringLiteral("&Система"));
    N2 = addItem(N1, QStringLiteral("&Новый диалог"));
    N1->addSeparator(); // N23
    N22 = addItem(N1, QStringLiteral("&Вызвать виртуальную клавиатуру"));
    N17 = N1->addMenu(QStringLiteral("&Подробнее о базе:"));
    N18 = addItem(N17, QStringLiteral("&Входящие выражения:"));
    N19 = addItem(N17, QStringLiteral("&Исходящие выражения:"));
    N20 = addItem(N17, QStringLiteral("&Итого:"));
    N1->addSeparator(); // N3
    N4 = addItem(N1, QStringLiteral("В&ыход"));

    N5 = bar->addMenu(QStringLiteral("&Настройки"));
    auto* plainSeparators = new PlainSeparators;
    plainSeparators->setParent(N5);
    N5->setStyle(plainSeparators);
    N6 = addItem(N5, QStringLiteral("&Цвет основного фона "));
    N21 = addItem(N5, QStringLiteral("Ц&вет фона поля вывода реплик"));
    N16 = addItem(N5, QStringLiteral("Цв&ет фона поля ввода реплик"));
    N9 = addItem(N5, QStringLiteral("Цве&т шрифтов кнопок на панели"));
    // N15 and N36 show as divider lines; only their shortcuts reach them.
    N15 = N5->addSeparator();
    N15->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    N15->setEnabled(false);
    N7 = N5->addMenu(QStringLiteral("Цвет &реплик"));
    User1 = addItem(N7, QStringLiteral("&User"));
    Cpu1 = addItem(N7, QStringLiteral("&Cpu"));
    Mystring2 = addItem(N7, QStringLiteral("&My string"));
    N36 = N5->addSeparator();
    N36->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    N10 = N5->addMenu(QStringLiteral("&Параметры шрифта"));
    User2 = addItem(N10, QStringLiteral("&User"));
    Cpu2 = addItem(N10, QStringLiteral("&Cpu"));
    Mystring1 = addItem(N10, QStringLiteral("&My string"));
    N5->addSeparator(); // N8
    N13 = addItem(N5, QStringLiteral("Вернуть первоначальные настройки"));
    N13->setCheckable(true);
    N13->setChecked(true);
    N5->addSeparator(); // N14
    N37 = N5->addMenu(QStringLiteral("&Режим"));
    CpuUser1 = addItem(N37, QStringLiteral("&Cpu\\User"));
    CpuUser1->setCheckable(true);
    CpuUser1->setChecked(true);
    Cpu31 = addItem(N37, QStringLiteral("C&pu\\Cpu"));
    Cpu31->setCheckable(true);
    N38 = addItem(N5, QStringLiteral("Ре&дактор"));
    N5->addSeparator(); // N39
    N40 = addItem(N5, QStringLiteral("&Full Screen"));
    N40->setCheckable(true);

    N11 = bar->addMenu(QStringLiteral("С&правка"));
    N12 = addItem(N11, QStringLiteral("&О программе..."));

    onTriggered(N2, this, &TForm1::N2Click);
    onTriggered(N22, this, &TForm1::N22Click);
    onTriggered(N4, this, &TForm1::N4Click);
    onTriggered(N6, this, &TForm1::N6Click);
    onTriggered(N21, this, &TForm1::N21Click);
    onTriggered(N16, this, &TForm1::N16Click);
    onTriggered(N9, this, &TForm1::N9Click);
    onTriggered(N15, this, &TForm1::N15Click);
    onTriggered(User1, this, &TForm1::User1Click);
    onTriggered(Cpu1, this, &TForm1::Cpu1Click);
    onTriggered(Mystring2, this, &TForm1::Mystring2Click);
    onTriggered(N36, this, &TForm1::N36Click);
    onTriggered(User2, this, &TForm1::User2Click);
    onTriggered(Cpu2, this, &TForm1::Cpu2Click);
    onTriggered(Mystring1, this, &TForm1::Mystring1Click);
    onTriggered(N13, this, &TForm1::N13Click);
    onTriggered(CpuUser1, this, &TForm1::CpuUser1Click);
    onTriggered(Cpu31, this, &TForm1::Cpu31Click);
    onTriggered(N38, this, &TForm1::N38Click);
    onTriggered(N40, this, &TForm1::N40Click);
    onTriggered(N12, this, &TForm1::N12Click);
}

void TForm1::createTimers() {
    const auto timer = [this](int interval, bool enabled, void (TForm1::*handler)()) {
        return new ui::Timer(interval, enabled, [this, handler] { (this->*handler)(); }, this);
    };
    T1 = timer(1, true, &TForm1::T1Timer);
    T2 = timer(1000, true, &TForm1::T2Timer);
    T3 = timer(1, true, &TForm1::T3Timer);
    T4 = timer(1, false, &TForm1::T4Timer);
    T5 = timer(1, true, &TForm1::T5Timer);
    T6 = timer(3000, false, &TForm1::T6Timer);
    T7 = timer(1, true, &TForm1::T7Timer);
    T8 = timer(1000, true, &TForm1::T8Timer);
    T9 = timer(1000, false, &TForm1::T9Timer);
    T10 = timer(1, false, &TForm1::T10Timer);
}

void TForm1::createPlayers(bool sound) {
    static const char* const files[] = {"Sound\\KeyBoard.wav", "Sound\\Button3.wav",
                                        "Sound\\Button2.wav",  "Sound\\Button1.wav",
                                        "Sound\\CpuSound.wav", "Sound\\Close.wav"};
    for (std::size_t i = 0; i < players_.size(); ++i) {
        const QString path =
            sound ? QString::fromStdString(store_->locate(files[i]).string()) : QString();
        players_[i] = std::make_unique<ui::CuePlayer>(path);
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The input field would take Ctrl+Z for its own undo and Ctrl+C for its
    // own copy; the menu's hidden shortcut item and the window have them.
    if (watched == Input && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Copy)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Clicked while an auxiliary window has it disabled: the auxiliary
    // window, which the window manager keeps above, takes the keyboard.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !isEnabled()) {
        for (ui::AuxiliaryWindow* open :
             findChildren<ui::AuxiliaryWindow*>(Qt::FindDirectChildrenOnly)) {
            if (open->isVisible())
                open->activateWindow();
        }
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The close box ends the program without writing the log.
    event->accept();
    QApplication::quit();
}
