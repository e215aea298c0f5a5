#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/ui/UiFixtures.h"
#include "ui/InterfaceLanguage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"
#include "widgets/TXPEdit.h"

namespace {

// A screenshot driver, not a test (built, never run by ctest): tests/ui/dense_windows_test.sh
// runs it on a virtual X server and takes the screenshots. All six windows side by side, the
// information window filled, stay up until the script has its shots; each window's logical client
// size goes to the file "ready" in BRELVIK_WINDOWS_SHOT_DIR.
TEST_F(FormsTest, AllSixWindowsForTheScreenshots) {
    const char* shotDir = std::getenv("BRELVIK_WINDOWS_SHOT_DIR");
    ASSERT_NE(shotDir, nullptr) << "run by tests/ui/dense_windows_test.sh under a virtual X server";
    const std::string folder = shotDir;
    // BRELVIK_WINDOWS_LOCALE=en_US (say) shows the windows in that locale's language.
    if (const char* locale = std::getenv("BRELVIK_WINDOWS_LOCALE")) {
        DestroyForms();
        InstallInterfaceLanguage(QLocale(QString::fromLocal8Bit(locale)));
        CreateForms();
    }
    WriteBmp24(folder + "/stripes.bmp", 64, 48, [](int x, int) { return x % 8 < 4 ? 0xFF0000u : 0x0000FFu; });
    Form1->XPEdit1->setText(QString::fromStdString(folder + "/stripes.bmp"));
    Form1->BMP1Click();  // fills and shows the information window

    const std::vector<std::pair<TForm*, QPoint>> places = {
        {Form1, {0, 0}},     {Form2, {480, 0}},   {Form3, {480, 110}},
        {Form4, {480, 220}}, {Form5, {790, 220}}, {Form6, {480, 390}},
    };
    std::ofstream ready(folder + "/ready.tmp");
    for (const auto& [form, at] : places) {
        form->show();
        form->move(at);
        ready << form->windowTitle().toStdString() << '|' << form->x() << ' ' << form->y() << ' '
              << form->width() << ' ' << form->height() << '\n';
    }
    QTest::qWait(1500);  // the start-up photograph decodes on its first paint
    ready.close();
    std::filesystem::rename(folder + "/ready.tmp", folder + "/ready");
    for (int i = 0; i < 300 && !std::filesystem::exists(folder + "/done"); ++i) QTest::qWait(100);
}

}  // namespace
