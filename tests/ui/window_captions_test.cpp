#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include "tests/ui/UiFixtures.h"
#include "ui/InterfaceLanguage.h"
#include "ui/TBevel.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"

namespace {

std::vector<QWidget*> AllForms() {
    return {Form1, Form2, Form3, Form4, Form5, Form6};
}

std::string Where(const QWidget* form, const QString& text) {
    return form->windowTitle().toStdString() + ": \"" + text.toStdString() + "\"";
}

// The columns the caption's pixels reach in a rendered button, found against the same button
// rendered without a caption; {-1, -1} when nothing is drawn.
std::pair<int, int> CaptionColumns(TFancyButton& button) {
    const QImage with = button.Render();
    const std::string caption = button.Caption();
    button.SetCaption("");
    const QImage without = button.Render();
    button.SetCaption(caption);
    int first = -1, last = -1;
    for (int x = 0; x < with.width(); ++x)
        for (int y = 0; y < with.height(); ++y)
            if (with.pixel(x, y) != without.pixel(x, y)) {
                if (first < 0) first = x;
                last = x;
            }
    return {first, last};
}

// Every check runs with the windows in each of their languages.
class WindowCaptionsTest : public FormsTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        InstallInterfaceLanguage(QLocale(QString::fromLatin1(GetParam())));
        FormsTest::SetUp();
    }
};
INSTANTIATE_TEST_SUITE_P(Languages, WindowCaptionsTest, ::testing::Values("ru_RU", "en_US"));

TEST_P(WindowCaptionsTest, TheWindowFacesAreTheShippedOnes) {
    for (const char* face : {"MS Sans Serif", "Arial"}) {
        QFont font{QString::fromLatin1(face)};
        font.setPixelSize(11);
        EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans") << face;
    }
}

// Every button caption stays inside the button's frame: its pixels, the embossed accent included,
// leave the frame rings on the left and the right untouched.
TEST_P(WindowCaptionsTest, EveryButtonCaptionStaysInsideItsFrame) {
    int buttons = 0;
    for (QWidget* form : AllForms())
        for (TFancyButton* button : form->findChildren<TFancyButton*>()) {
            ++buttons;
            const auto [first, last] = CaptionColumns(*button);
            const QString text = QString::fromStdString(button->Caption());
            ASSERT_GE(first, 0) << Where(form, text);
            const int frame = button->FancyEffects().FrameWidth();
            EXPECT_GE(first, frame) << Where(form, text);
            EXPECT_LE(last, button->width() - 1 - frame) << Where(form, text);
        }
    EXPECT_EQ(buttons, 10);
}

// At 1x the box a button draws its caption in holds the letters' whole ink, as the letters are
// placed in it: the box clips, so a stroke outside it is lost ("Отмена" read "Этмена").
TEST_P(WindowCaptionsTest, EveryButtonCaptionBoxHoldsAllItsInk) {
    for (QWidget* form : AllForms())
        for (TFancyButton* button : form->findChildren<TFancyButton*>()) {
            QFont font = button->font();
            font.setStyleStrategy(QFont::NoAntialias);
            const QFontMetrics metrics(font);
            const QString caption = QString::fromStdString(button->Caption());
            const QRect box = button->Layout().TextBox;
            const int left = box.left() + (box.width() - metrics.horizontalAdvance(caption)) / 2;
            const QRect ink = metrics.boundingRect(caption).translated(left, 0);
            EXPECT_GE(ink.left(), box.left()) << Where(form, caption);
            EXPECT_LE(ink.right(), box.right()) << Where(form, caption);
        }
}

// Labels follow their text; none may run into a control to its right on the same line, and a
// label of fixed size holds its whole text.
TEST_P(WindowCaptionsTest, EveryLabelFitsBeforeItsNeighbour) {
    for (QWidget* form : AllForms())
        for (TLabel* label : form->findChildren<TLabel*>()) {
            if (label->text().isEmpty()) continue;
            const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
            const QString text = label->text();
            if (!label->AutoSize()) {
                EXPECT_LE(textWidth, label->width()) << Where(form, text);
                continue;
            }
            const QRect box(label->pos(), QSize(textWidth, label->height()));
            for (QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (other == label || qobject_cast<TBevel*>(other)) continue;
                const QRect g = other->geometry();
                if (g.left() <= box.left() || g.bottom() < box.top() || g.top() > box.bottom()) continue;
                EXPECT_LE(box.right(), g.left() - 1)
                    << Where(form, text) << " runs into the control at " << g.left();
            }
        }
}

}  // namespace
