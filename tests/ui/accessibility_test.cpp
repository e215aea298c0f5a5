#include "ui/Accessibility.h"

#include <QAccessible>
#include <QScrollArea>
#include <QSlider>
#include <QTest>

#include "core/TBitmap.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"
#include "widgets/TXPListBox.h"

namespace {

class AccessibilityTest : public FormsTest {
protected:
    static void SetUpTestSuite() {
        FormsTest::SetUpTestSuite();
        InstallAccessibility();
    }
};

const QString Press = QAccessibleActionInterface::pressAction();
const QString Focus = QAccessibleActionInterface::setFocusAction();
const QString Menu = QAccessibleActionInterface::showMenuAction();

QString LabelOf(QAccessibleInterface* face) {
    const auto labels = face->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
}

}  // namespace

// Every control of every window as a screen reader meets it: role, name (a pick list's is its
// value, so it is known by its label), the label naming it, and an action it offers.
TEST_F(AccessibilityTest, EveryControlHasRoleNameLabelAndAction) {
    using R = QAccessible::Role;
    struct Row {
        QWidget* control;
        R role;
        const char* name;  // nullptr: not checked
        const char* label;
        QString action;
    };
    const Row rows[] = {
        {Form1->XPEdit1, R::EditableText, "Открыть файл", "Открыть файл", Focus},
        {Form1->FancyButton1, R::PushButton, "Обзор", "", Press},
        {Form1->XPEdit2, R::EditableText, "Сохранить файл", "Сохранить файл", Focus},
        {Form1->FancyButton2, R::PushButton, "Обзор", "", Press},
        {Form1->FancyButton3, R::PushButton, "Сохранить", "", Press},
        {Form1->TrackBar1, R::Slider, "Качество сохранения", "Качество сохранения", Focus},
        {Form1->Image1, R::Graphic, "Рабочая картинка", "", {}},
        {Form1->Image2, R::Graphic, "Сохранённый файл", "", {}},
        {Form2->XPComboBox1, R::ComboBox, nullptr, "Выберите величину освещения", Menu},
        {Form2->FancyButton1, R::PushButton, "Да", "", Press},
        {Form2->FancyButton2, R::PushButton, "Отмена", "", Press},
        {Form3->XPComboBox1, R::ComboBox, nullptr, "Выберите величину затемнения", Menu},
        {Form3->FancyButton2, R::PushButton, "Да", "", Press},
        {Form3->FancyButton1, R::PushButton, "Отмена", "", Press},
        {Form4->Image1, R::Graphic, "Картинка", "", {}},
        {Form5->XPListBox1, R::List, "Сведения о BMP файле", "", {}},
        {Form6->XPEdit1, R::EditableText, "Текст надписи:", "Текст надписи:", Focus},
        {Form6->FancyButton4, R::PushButton, "Шрифт", "", Press},
        {Form6->XPEdit3, R::StaticText, "Выбранный шрифт", "", Focus},
        {Form6->XPComboBox1, R::ComboBox, "10", "По оси Х:", Menu},
        {Form6->XPComboBox2, R::ComboBox, "10", "По оси У:", Menu},
        {Form6->FancyButton1, R::PushButton, "Применить", "", Press},
        {Form6->FancyButton2, R::PushButton, "Отмена", "", Press},
    };
    for (const Row& row : rows) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(row.control);
        ASSERT_NE(face, nullptr);
        const std::string where = face->text(QAccessible::Name).toStdString() + " in " +
                                  row.control->window()->accessibleName().toStdString();
        EXPECT_EQ(face->role(), row.role) << where;
        if (row.name) {
            EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(row.name)) << where;
        }
        EXPECT_EQ(LabelOf(face), QString::fromUtf8(row.label)) << where;
        if (!row.action.isEmpty()) {
            ASSERT_NE(face->actionInterface(), nullptr) << where;
            EXPECT_TRUE(face->actionInterface()->actionNames().contains(row.action)) << where;
        }
    }
    // The font name is shown, not typed.
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(Form6->XPEdit3)->state().editable);
    // The same caption, told apart by name.
    EXPECT_EQ(Form2->windowTitle(), Form3->windowTitle());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form2)->text(QAccessible::Name),
              QStringLiteral("Осветлить"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Form3)->text(QAccessible::Name),
              QStringLiteral("Затемнить"));
}

// Tab goes the way the eye reads each window; Escape hides each small window; Return applies the
// step and the caption, and the upper box's description follows every edit.
TEST_F(AccessibilityTest, KeyboardWalksAndAppliesTheWindows) {
    const std::vector<std::vector<QWidget*>> orders = {
        {Form1->XPEdit1, Form1->FancyButton1, Form1->XPEdit2, Form1->FancyButton2, Form1->FancyButton3,
         Form1->TrackBar1, Form1->ScrollBox1},
        {Form2->XPComboBox1, Form2->FancyButton1, Form2->FancyButton2},
        {Form3->XPComboBox1, Form3->FancyButton2, Form3->FancyButton1},
        {Form6->XPEdit1, Form6->FancyButton4, Form6->XPEdit3, Form6->XPComboBox1, Form6->XPComboBox2,
         Form6->FancyButton1, Form6->FancyButton2},
    };
    for (const auto& order : orders)
        for (std::size_t i = 0; i + 1 < order.size(); ++i) {
            QWidget* next = order[i]->nextInFocusChain();
            while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
            EXPECT_EQ(next, order[i + 1]) << "after " << order[i]->metaObject()->className() << " " << i;
        }
    for (TForm* form : std::vector<TForm*>{Form2, Form3, Form4, Form5, Form6}) {
        form->show();
        QTest::keyClick(form, Qt::Key_Escape);
        EXPECT_FALSE(form->isVisible()) << form->accessibleName().toStdString();
    }

    const std::string path = TempDir() + "/grey.bmp";
    WriteBmp24(path, 6, 4, [](int, int) { return 0x404040u; });
    Form1->OpenSourcePicture(path);
    EXPECT_EQ(Form1->Image1->PictureDescription(), QStringLiteral("grey.bmp: 6 × 4 точек"));
    Form1->N901Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form1->Image1->PictureDescription(), QStringLiteral("grey.bmp: 6 × 4 точек, правок: 1"));
    Form2->show();
    Form2->XPComboBox1->setCurrentIndex(1);  // "10"
    QTest::keyClick(Form2->XPComboBox1, Qt::Key_Return);
    EXPECT_EQ(Form1->Image1->Picture().AsBitmap().Surface().ReadPixel(2, 3), platform::RGB(0x4A, 0x4A, 0x4A));
    QCoreApplication::processEvents();
    EXPECT_EQ(Form1->Image1->PictureDescription(), QStringLiteral("grey.bmp: 6 × 4 точек, правок: 2"));
    Form6->show();
    Form6->XPEdit1->setText(QStringLiteral("W"));
    const QString before = Form1->Image1->PictureDescription();
    QTest::keyClick(Form6->XPEdit1, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_NE(Form1->Image1->PictureDescription(), before);
    EXPECT_TRUE(dialogs.errors.empty());
}
