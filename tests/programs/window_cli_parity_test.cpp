// The main window and brelvik-cli side by side: the same edits give the same file.
#include <gtest/gtest.h>

#include <QSlider>
#include <filesystem>

#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"
#include "tests/ui/UiFixtures.h"
#include "ui/Unit1.h"

namespace fs = std::filesystem;

// The strongest form of the promise: the main window itself, opening, inverting and saving.
class CliWindowParity : public FormsTest {};

TEST_F(CliWindowParity, JpegEqualsTheMainWindowsSaveAfterAnEdit) {
    std::string dir = TempDir();
    WriteSample(dir + "/a.bmp");
    dialogs.openAnswers.push_back(FileDialogResult{dir + "/a.bmp", 1});
    Form1->FancyButton1Click();
    Form1->N2Click();
    Form1->TrackBar1->setValue(30);
    dialogs.saveAnswers.push_back(FileDialogResult{dir + "/window", 1});
    Form1->FancyButton2Click();
    Form1->FancyButton3Click();
    ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();

    ASSERT_EQ(RunCli(dir, {"convert", "--invert", "-q", "30", "a.bmp", "-o", "cli.jpg"}).status, 0);
    EXPECT_EQ(Bytes(dir + "/cli.jpg"), Bytes(dir + "/window.jpg"));
    fs::remove_all(dir);
}
