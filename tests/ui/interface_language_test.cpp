#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <algorithm>

#include "tests/ui/UiFixtures.h"
#include "ui/InterfaceLanguage.h"
#include "ui/TImage.h"
#include "ui/TLabel.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"

namespace {

void AddMenuTexts(const QList<QAction*>& actions, std::vector<QString>& texts) {
    for (const QAction* action : actions) {
        texts.push_back(action->text());
        if (action->menu()) AddMenuTexts(action->menu()->actions(), texts);
    }
}

// Every text the six windows show or hand to assistive tools, in a fixed order.
std::vector<QString> WindowTexts() {
    std::vector<QString> texts;
    for (QWidget* form : std::initializer_list<QWidget*>{Form1, Form2, Form3, Form4, Form5, Form6}) {
        texts.push_back(form->windowTitle());
        texts.push_back(form->accessibleName());
        for (const QWidget* widget : form->findChildren<QWidget*>()) {
            if (auto* label = qobject_cast<const TLabel*>(widget)) texts.push_back(label->text());
            if (auto* button = qobject_cast<const TFancyButton*>(widget))
                texts.push_back(QString::fromStdString(button->Caption()));
            texts.push_back(widget->accessibleName());
            texts.push_back(widget->accessibleDescription());
        }
    }
    AddMenuTexts(Form1->menuBar()->actions(), texts);
    texts.push_back(Form1->Image1->PictureDescription());
    return texts;
}

bool IsRussian(const QString& text) {
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

class InterfaceLanguageTest : public FormsTest {
protected:
    // The texts as written in the code, before any translation is installed in this program.
    static void SetUpTestSuite() {
        FormsTest::SetUpTestSuite();
        CreateForms();
        source = WindowTexts();
        DestroyForms();
    }
    static void TearDownTestSuite() { InstallInterfaceLanguage(QLocale::c()); }

    static inline std::vector<QString> source;
};

// Russian locales and C/POSIX keep the texts exactly; any other locale shows every Russian text in
// English, Latin ones ("Brelvik 1 10", the address) unchanged. The toolkit's own dialogs follow.
TEST_F(InterfaceLanguageTest, EveryWindowTextFollowsTheLocale) {
    struct Row {
        const char* locale;
        const char* language;
    };
    const Row rows[] = {
        {"en_US.UTF-8", "en"}, {"ru_RU.UTF-8", "ru"}, {"de_DE.UTF-8", "en"},
        {"C.UTF-8", "ru"},     {"en_GB", "en"},       {"ru_UA.UTF-8", "ru"},
    };
    ASSERT_GT(std::count_if(source.begin(), source.end(), IsRussian), 40);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        DestroyForms();
        ASSERT_EQ(InstallInterfaceLanguage(QLocale(QString::fromLatin1(row.locale))), row.language);
        CreateForms();
        const std::vector<QString> shown = WindowTexts();
        ASSERT_EQ(shown.size(), source.size());
        const bool english = QString::fromLatin1(row.language) == "en";
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (english && IsRussian(source[i])) {
                EXPECT_FALSE(IsRussian(shown[i]) || shown[i].isEmpty()) << source[i].toStdString();
            } else {
                EXPECT_EQ(shown[i], source[i]);
            }
        }
        // The file dialog's "Look in:" speaks the windows' language.
        const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
        EXPECT_EQ(IsRussian(lookIn), !english) << lookIn.toStdString();
    }
}

}  // namespace
