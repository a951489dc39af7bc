// What a screen reader finds in the main window: every control has a name,
// and a control's hint is its description.

#include "WindowSupport.h"

#include "ui/common/StatusBar.h"

#include <QAccessible>
#include <QLabel>
#include <QToolButton>

#include <set>

namespace {

using test::str;

// The main window's accessible tree, walked from the window down.
std::vector<QAccessibleInterface*> walk(QAccessibleInterface* node) {
    std::vector<QAccessibleInterface*> out{node};
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i)) {
            const auto below = walk(child);
            out.insert(out.end(), below.begin(), below.end());
        }
    }
    return out;
}

std::string describe(QAccessibleInterface* node) {
    return str(node->text(QAccessible::Name)) + " (role " + std::to_string(node->role()) + ", " +
           (node->object() ? node->object()->metaObject()->className() : "no object") + ")";
}

class Accessibility : public ::testing::Test {
protected:
    Accessibility() {
        dir.writeSmallBase();
        test::showActive(program.main());
        program.main().T3Timer(); // the status bar filled
        tree = walk(QAccessible::queryAccessibleInterface(&program.main()));
    }
    bool inTree(QWidget* control) const {
        QAccessibleInterface* wanted = QAccessible::queryAccessibleInterface(control);
        return std::find(tree.begin(), tree.end(), wanted) != tree.end();
    }

    test::WorkingDirectory dir;
    test::MessageLog boxes;
    test::Program program{dir};
    std::vector<QAccessibleInterface*> tree;
};

TEST_F(Accessibility, EveryControlInTheTreeHasAName) {
    const std::set<QAccessible::Role> controls = {
        QAccessible::EditableText, QAccessible::PushButton, QAccessible::StaticText,
        QAccessible::MenuItem,     QAccessible::StatusBar,  QAccessible::Graphic};
    int seen = 0;
    for (QAccessibleInterface* node : tree) {
        if (!controls.count(node->role()) || node->state().invisible)
            continue;
        ++seen;
        EXPECT_FALSE(node->text(QAccessible::Name).trimmed().isEmpty()) << describe(node);
    }
    EXPECT_GE(seen, 10);
}

TEST_F(Accessibility, TheFieldsTheButtonsAndTheStatusPanelsAreNamed) {
    TForm1& w = program.main();
    const std::pair<QWidget*, const char*> named[] = {
        {w.Input, "Фраза"},
        {w.RE1, "Диалог"},
        {w.Cancel, "Отмена"},
        {w.EnRus, "Раскладка"},
        {w.Speak, "Сказать"},
        {w.SB1, "Индикатор"},
        {w.SB1->panel(0), "Состояние загрузки"},
        {w.SB1->panel(1), "Статистика базы"},
        {w.SB1->panel(2), "Режим диалога"},
    };
    for (const auto& [control, name] : named) {
        EXPECT_TRUE(inTree(control)) << name;
        EXPECT_EQ(str(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name)), name);
    }
    // A panel tells its text as its description.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.SB1->panel(0))->text(QAccessible::Description),
              QStringLiteral("Загрузка окончена"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.SB1->panel(2))->text(QAccessible::Description),
              QStringLiteral("Режим Cpu\\User"));
    w.Cpu31Click();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.SB1->panel(2))->text(QAccessible::Description),
              QStringLiteral("Режим Cpu\\Cpu"));
}

TEST_F(Accessibility, EveryHintIsAlsoTheControlsDescription) {
    int hints = 0;
    for (QAccessibleInterface* node : tree) {
        auto* control = qobject_cast<QWidget*>(node->object());
        if (!control || control->toolTip().isEmpty())
            continue;
        ++hints;
        EXPECT_EQ(node->text(QAccessible::Description), control->toolTip()) << describe(node);
    }
    EXPECT_EQ(hints, 6); // the display, the input field, the three buttons, the status bar
}

} // namespace
