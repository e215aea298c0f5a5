#include "ui/FontChoiceWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSpinBox>

#include "core/TFont.h"
#include "widgets/QtColor.h"

namespace {

struct NamedColor {
    const char* name;
    TColor color;
};

// The platform's sixteen colours (0x00BBGGRR).
constexpr NamedColor NamedColors[TFontChoiceWindow::NamedColorCount] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Grey", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QIcon Swatch(TColor color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

QCheckBox* StyleBox(const char* caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setChecked(checked);
    return box;
}

}  // namespace

TFontChoiceWindow::TFontChoiceWindow(const FontChoice& current, QWidget* parent)
    : QDialog(parent), initial_(current) {
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    BuildFaceColumn();
    BuildSizeAndStyle();
    BuildColorList();
    sample_ = new QLabel(QStringLiteral("AaBbYyZz АаБбЯя"), this);
    sample_->setObjectName(QStringLiteral("Sample"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumSize(220, 60);
    sample_->setFrameShape(QFrame::StyledPanel);
    sample_->setAccessibleDescription(QStringLiteral("Sample of the chosen font"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    grid->addWidget(Labelling(QStringLiteral("Font:"), faceEdit_), 0, 0);
    grid->addWidget(faceEdit_, 1, 0);
    grid->addWidget(familyList_, 2, 0, 4, 1);
    grid->addWidget(Labelling(QStringLiteral("Size:"), sizeBox_), 0, 1);
    grid->addWidget(sizeBox_, 1, 1);
    grid->addWidget(bold_, 2, 1);
    grid->addWidget(italic_, 3, 1);
    grid->addWidget(underline_, 4, 1);
    grid->addWidget(strikeOut_, 5, 1);
    grid->addWidget(Labelling(QStringLiteral("Colour:"), colorBox_), 6, 0);
    grid->addWidget(colorBox_, 6, 1);
    grid->addWidget(sample_, 7, 0, 1, 2);
    grid->addWidget(buttons, 8, 0, 1, 2);
    UpdateSample();
}

void TFontChoiceWindow::BuildFaceColumn() {
    // The face typed or picked; it starts with the current face even when no such family is
    // installed, so a confirmed dialog without changes keeps the font.
    faceEdit_ = new QLineEdit(QString::fromStdString(initial_.name), this);
    faceEdit_->setObjectName(QStringLiteral("FaceName"));
    familyList_ = new QListWidget(this);
    familyList_->setObjectName(QStringLiteral("Families"));
    familyList_->setAccessibleName(QStringLiteral("Font families"));
    familyList_->addItems(QFontDatabase::families());
    const auto matches = familyList_->findItems(faceEdit_->text(), Qt::MatchFixedString);
    if (!matches.isEmpty()) familyList_->setCurrentItem(matches.front());
    connect(familyList_, &QListWidget::currentTextChanged, faceEdit_, &QLineEdit::setText);
    connect(faceEdit_, &QLineEdit::textChanged, this, &TFontChoiceWindow::UpdateSample);
}

void TFontChoiceWindow::BuildSizeAndStyle() {
    sizeBox_ = new QSpinBox(this);
    sizeBox_->setObjectName(QStringLiteral("Size"));
    sizeBox_->setRange(1, 1638);
    sizeBox_->setValue(initial_.sizePoints);
    connect(sizeBox_, &QSpinBox::valueChanged, this, &TFontChoiceWindow::UpdateSample);
    bold_ = StyleBox("Bold", initial_.style & fsBold, this);
    italic_ = StyleBox("Italic", initial_.style & fsItalic, this);
    underline_ = StyleBox("Underline", initial_.style & fsUnderline, this);
    strikeOut_ = StyleBox("Strikeout", initial_.style & fsStrikeOut, this);
    for (QCheckBox* box : {bold_, italic_, underline_, strikeOut_})
        connect(box, &QCheckBox::toggled, this, &TFontChoiceWindow::UpdateSample);
}

void TFontChoiceWindow::BuildColorList() {
    colorBox_ = new QComboBox(this);
    colorBox_->setObjectName(QStringLiteral("Colour"));
    int selected = -1;
    for (const NamedColor& named : NamedColors) {
        colorBox_->addItem(Swatch(named.color), QString::fromUtf8(named.name),
                           QVariant::fromValue(named.color));
        if (named.color == initial_.color) selected = colorBox_->count() - 1;
    }
    // A colour outside the sixteen (a system colour such as clWindowText included) is offered
    // first, as it is, so confirming without a change keeps it.
    if (selected < 0) {
        colorBox_->insertItem(0, Swatch(initial_.color), QStringLiteral("Current"),
                              QVariant::fromValue(initial_.color));
        selected = 0;
    }
    colorBox_->setCurrentIndex(selected);
    connect(colorBox_, &QComboBox::currentIndexChanged, this, &TFontChoiceWindow::UpdateSample);
}

// A label that names `control` for assistive tools (and moves the focus there on its mnemonic).
QLabel* TFontChoiceWindow::Labelling(const QString& text, QWidget* control) {
    auto* label = new QLabel(text, this);
    label->setBuddy(control);
    return label;
}

FontChoice TFontChoiceWindow::Choice() const {
    FontChoice choice = initial_;
    const QString face = faceEdit_->text().trimmed();
    if (!face.isEmpty()) choice.name = face.toStdString();
    choice.sizePoints = sizeBox_->value();
    choice.style = std::uint8_t((bold_->isChecked() ? fsBold : 0) | (italic_->isChecked() ? fsItalic : 0) |
                                (underline_->isChecked() ? fsUnderline : 0) |
                                (strikeOut_->isChecked() ? fsStrikeOut : 0));
    choice.color = colorBox_->currentData().value<TColor>();
    return choice;
}

void TFontChoiceWindow::UpdateSample() {
    const FontChoice choice = Choice();
    QFont font(QString::fromStdString(choice.name));
    font.setPointSize(choice.sizePoints);
    font.setBold(choice.style & fsBold);
    font.setItalic(choice.style & fsItalic);
    font.setUnderline(choice.style & fsUnderline);
    font.setStrikeOut(choice.style & fsStrikeOut);
    sample_->setFont(font);
    QPalette colours = sample_->palette();
    colours.setColor(QPalette::WindowText, ToQColor(choice.color));
    sample_->setPalette(colours);
}

std::optional<FontChoice> TFontChoiceWindow::Choose(const FontChoice& current, QWidget* parent) {
    TFontChoiceWindow window(current, parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.Choice();
}
