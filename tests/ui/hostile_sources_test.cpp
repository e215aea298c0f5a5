// The window with sources and targets that are not regular files: a FIFO or a folder named in the
// source box, a FIFO where the save writes. Nothing may block the window; each is refused with
// the system's open or create error. An alarm fails a test that would otherwise hang.
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit5.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPEdit.h"

namespace fs = std::filesystem;

namespace {

class HostileSourcesTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        alarm(30);
        dir = TempDir();
        source = dir + "/plain.bmp";
        WriteBmp24(source, 12, 8, [](int x, int) { return x < 6 ? 0xFF0000u : 0x00FF00u; });
    }
    void TearDown() override {
        alarm(0);
        fs::remove_all(dir);
        FormsTest::TearDown();
    }
    std::string Fifo(const std::string& name) {
        const std::string path = dir + "/" + name;
        EXPECT_EQ(mkfifo(path.c_str(), 0644), 0);
        return path;
    }
    void InformationOn(const std::string& path) {
        Form1->XPEdit1->setText(QString::fromStdString(path));
        Form1->BMP1->trigger();
    }
    void SaveTo(const std::string& base, int filterIndex) {
        dialogs.openAnswers.push_back(FileDialogResult{source, 1});
        emit Form1->FancyButton1->clicked();
        dialogs.saveAnswers.push_back(FileDialogResult{base, filterIndex});
        emit Form1->FancyButton2->clicked();
        emit Form1->FancyButton3->clicked();
    }
    std::string dir, source;
};

}  // namespace

TEST_F(HostileSourcesTest, TheInformationCommandRefusesFifosAndFoldersAtOnce) {
    const std::string fifo = Fifo("p.bmp");
    InformationOn(fifo);
    fs::create_directory(dir + "/d.bmp");
    InformationOn(dir + "/d.bmp");
    EXPECT_TRUE(Form5->isVisible());
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[0], "Cannot open file \"" + fifo + "\". Not a regular file.");
    EXPECT_EQ(dialogs.errors[1], "Cannot open file \"" + dir + "/d.bmp\". Is a directory.");
}

TEST_F(HostileSourcesTest, OpeningAFifoPictureIsRefusedAndThePictureKept) {
    const std::string fifo = Fifo("p.bmp");
    dialogs.openAnswers.push_back(FileDialogResult{source, 1});
    emit Form1->FancyButton1->clicked();
    dialogs.openAnswers.push_back(FileDialogResult{fifo, 1});
    emit Form1->FancyButton1->clicked();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Cannot open file \"" + fifo + "\". Not a regular file.");
    EXPECT_EQ(Form1->Image1->Picture().HeldGraphic()->Width(), 12);
}

TEST_F(HostileSourcesTest, SavesToAFifoAreRefusedAndLeaveItAlone) {
    const std::string jpeg = Fifo("out.jpg");
    const std::string icon = Fifo("out.ico");
    SaveTo(dir + "/out", 1);
    SaveTo(dir + "/out", 2);
    ASSERT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(dialogs.errors[0], "Cannot create file \"" + jpeg + "\". Not a regular file.");
    EXPECT_EQ(dialogs.errors[1], "Cannot create file \"" + icon + "\". Not a regular file.");
    EXPECT_TRUE(fs::is_fifo(jpeg));
    EXPECT_TRUE(fs::is_fifo(icon));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"out.ico", "out.jpg", "plain.bmp"}));
}
