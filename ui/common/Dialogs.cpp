#include "Dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {
namespace {

ColorDialog::Answerer& colorAnswerer() {
    static ColorDialog::Answerer answer;
    return answer;
}

FontDialog::Answerer& fontAnswerer() {
    static FontDialog::Answerer answer;
    return answer;
}

// The font dialog: a name, a style that is a combination of bold and italic,
// and a size from the offered range. No colour, underline or strike-out.
class FontPicker : public QDialog {
public:
    FontPicker(const FontDialog& dialog, QWidget* parent) : QDialog(parent) {
        setWindowTitle(QStringLiteral("Шрифт"));
        family_ = new QFontComboBox(this);
        family_->setCurrentFont(dialog.Font);
        style_ = new QComboBox(this);
        style_->addItems({QStringLiteral("Обычный"), QStringLiteral("Курсив"),
                          QStringLiteral("Жирный"), QStringLiteral("Жирный курсив")});
        style_->setCurrentIndex((dialog.Font.bold() ? 2 : 0) + (dialog.Font.italic() ? 1 : 0));
        size_ = new QComboBox(this);
        const bool limited = dialog.MinFontSize > 0 && dialog.MaxFontSize >= dialog.MinFontSize;
        if (limited) {
            for (int size = dialog.MinFontSize; size <= dialog.MaxFontSize; ++size)
                size_->addItem(QString::number(size), size);
        } else {
            for (int size : QFontDatabase::standardSizes())
                size_->addItem(QString::number(size), size);
        }
        const int current = size_->findData(dialog.Font.pointSize());
        size_->setCurrentIndex(current >= 0 ? current : 0);
        sample_ = new QLabel(QStringLiteral("АаБбВв AaBbYyZz"), this);
        sample_->setMinimumHeight(48);
        sample_->setAlignment(Qt::AlignCenter);
        sample_->setFrameShape(QFrame::StyledPanel);

        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Шрифт:"), family_);
        form->addRow(QStringLiteral("Начертание:"), style_);
        form->addRow(QStringLiteral("Размер:"), size_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(sample_);
        layout->addWidget(buttons);

        const auto update = [this] { sample_->setFont(chosen()); };
        connect(family_, &QFontComboBox::currentFontChanged, this, update);
        connect(style_, &QComboBox::currentIndexChanged, this, update);
        connect(size_, &QComboBox::currentIndexChanged, this, update);
        update();
    }

    QFont chosen() const {
        QFont font(family_->currentFont().family());
        font.setPointSize(size_->currentData().toInt());
        font.setBold(style_->currentIndex() >= 2);
        font.setItalic(style_->currentIndex() % 2 == 1);
        return font;
    }

private:
    QFontComboBox* family_;
    QComboBox* style_;
    QComboBox* size_;
    QLabel* sample_;
};

} // namespace

QFont defaultFont() {
    // Where the program's font is missing, a sans serif of like metrics
    // (Arial's, which Helvetica's clones share): the status panels are no
    // wider than their texts in it, and a wider font cuts them.
    static const bool substituted = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
             QStringLiteral("Arimo"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
             QStringLiteral("Nimbus Sans L"), QStringLiteral("FreeSans"), QStringLiteral("Helvetica")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

bool ColorDialog::Execute(QWidget* parent) {
    std::optional<QColor> chosen;
    if (colorAnswerer()) {
        chosen = colorAnswerer()(Color);
    } else {
        const QColor picked = QColorDialog::getColor(Color, parent);
        if (picked.isValid())
            chosen = picked;
    }
    if (!chosen)
        return false;
    Color = *chosen;
    return true;
}

void ColorDialog::setAnswerer(Answerer answer) {
    colorAnswerer() = std::move(answer);
}

FontDialog::FontDialog() : Font(defaultFont()) {}

bool FontDialog::Execute(QWidget* parent) {
    std::optional<QFont> chosen;
    if (fontAnswerer()) {
        chosen = fontAnswerer()(*this);
    } else {
        FontPicker picker(*this, parent);
        if (picker.exec() == QDialog::Accepted)
            chosen = picker.chosen();
    }
    if (!chosen)
        return false;
    Font = *chosen;
    return true;
}

void FontDialog::setAnswerer(Answerer answer) {
    fontAnswerer() = std::move(answer);
}

} // namespace ui
