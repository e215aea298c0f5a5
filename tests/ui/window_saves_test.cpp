// The main window's saves where the disk or the folder lets them down: the file being replaced stays
// byte for byte, no temporary file is left, and the error box reads as for any failed write. Also
// the saved icon's preview, shown on a real screen for icon_preview_test.sh.
#include <sys/mount.h>
#include <sys/stat.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/File.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "widgets/TFancyButton.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<char>;

Bytes Noise(std::size_t size) {
    std::mt19937 rng(7);
    Bytes bytes(size);
    for (char& b : bytes) b = char(rng());
    return bytes;
}

void Put(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

Bytes Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A tmpfs mounted on a fresh folder while the object lives. Mounting needs privileges that a
// build machine may not grant: `Refused()` then holds the reason.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& size) : path_(TempDir() + "/disk") {
        fs::create_directory(path_);
        if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, ("size=" + size).c_str()) != 0)
            refused_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (refused_.empty()) ::umount2(path_.c_str(), MNT_DETACH);
    }
    const std::string& Path() const { return path_; }
    const std::string& Refused() const { return refused_; }
    bool MakeReadOnly() {
        return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string path_, refused_;
};

// Fills what is left of a disk with one file.
void FillUp(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const Bytes block(4096, 'x');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size() && std::fflush(file) == 0) {
    }
    std::fclose(file);
}

class WindowSavesTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        dir = TempDir();
        // Noise compresses badly, so its JPEG is far larger than the room left on a small disk.
        source = dir + "/noise.bmp";
        std::mt19937 rng(3);
        WriteBmp24(source, 160, 120, [&rng](int, int) { return std::uint32_t(rng() & 0xFFFFFF); });
        Open(source);
    }
    void TearDown() override {
        platform::FailNthWrite(0);
        FormsTest::TearDown();
    }

    void Open(const std::string& path) {
        dialogs.openAnswers.push_back(FileDialogResult{path, 1});
        emit Form1->FancyButton1->clicked();
    }

    // Saves with the target base and the filter (1 JPEG, 2 icon); the error box's text, if any.
    std::string SaveAs(const std::string& base, int filterIndex) {
        dialogs.saveAnswers.push_back(FileDialogResult{base, filterIndex});
        emit Form1->FancyButton2->clicked();
        dialogs.errors.clear();
        emit Form1->FancyButton3->clicked();
        return dialogs.errors.empty() ? std::string() : dialogs.errors.front();
    }

    std::string dir, source;
};

TEST_F(WindowSavesTest, AFullDiskKeepsTheFileBeingReplaced) {
    SmallDisk disk("40k");
    if (!disk.Refused().empty()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.Refused();
    const std::string jpg = disk.Path() + "/t.jpg", ico = disk.Path() + "/t.ico";
    const Bytes oldJpeg = Noise(30000), oldIcon = Noise(766);
    Put(jpg, oldJpeg);
    Put(ico, oldIcon);

    EXPECT_EQ(SaveAs(disk.Path() + "/t", 1), "Stream write error.");
    FillUp(disk.Path() + "/filler");
    EXPECT_EQ(SaveAs(disk.Path() + "/t", 2), "Stream write error.");

    EXPECT_EQ(Get(jpg), oldJpeg);
    EXPECT_EQ(Get(ico), oldIcon);
    EXPECT_EQ(Names(disk.Path()), (std::vector<std::string>{"filler", "t.ico", "t.jpg"}));
}

TEST_F(WindowSavesTest, AWriteThatFailsKeepsTheFileBeingReplaced) {
    const std::string base = dir + "/t";
    ASSERT_EQ(SaveAs(base, 1), "");
    const Bytes firstJpeg = Get(base + ".jpg");
    // The next save's one write is the second from now.
    platform::FailNthWrite(2);
    ASSERT_EQ(SaveAs(base, 2), "");
    const Bytes firstIcon = Get(base + ".ico");
    EXPECT_EQ(SaveAs(base, 1), "Stream write error.");
    platform::FailNthWrite(1);
    EXPECT_EQ(SaveAs(base, 2), "Stream write error.");

    EXPECT_EQ(Get(base + ".jpg"), firstJpeg);
    EXPECT_EQ(Get(base + ".ico"), firstIcon);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"noise.bmp", "t.ico", "t.jpg"}));
}

TEST_F(WindowSavesTest, AFolderWithTheTargetsNameOrAReadOnlyDiskIsReportedAsBefore) {
    fs::create_directory(dir + "/t.jpg");
    Put(dir + "/t.jpg/inside", Bytes{'k'});
    EXPECT_EQ(SaveAs(dir + "/t", 1), "Cannot create file \"" + dir + "/t.jpg\". Is a directory.");
    EXPECT_EQ(Get(dir + "/t.jpg/inside"), Bytes{'k'});
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"noise.bmp", "t.jpg"}));

    SmallDisk disk("40k");
    if (!disk.Refused().empty()) GTEST_SKIP() << "cannot mount a small tmpfs here: " << disk.Refused();
    const Bytes old = Noise(1000);
    Put(disk.Path() + "/t.ico", old);
    ASSERT_TRUE(disk.MakeReadOnly()) << std::strerror(errno);
    EXPECT_EQ(SaveAs(disk.Path() + "/t", 2),
              "Cannot create file \"" + disk.Path() + "/t.ico\". Read-only file system.");
    EXPECT_EQ(Get(disk.Path() + "/t.ico"), old);
}

TEST_F(WindowSavesTest, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    const mode_t saved = ::umask(027);
    Put(dir + "/t.jpg", Noise(10));
    ::chmod((dir + "/t.jpg").c_str(), 0604);
    EXPECT_EQ(SaveAs(dir + "/t", 1), "");
    EXPECT_EQ(SaveAs(dir + "/t", 2), "");
    ::umask(saved);

    EXPECT_NE(Get(dir + "/t.jpg"), Noise(10));
    EXPECT_EQ(fs::status(dir + "/t.jpg").permissions(), fs::perms(0604));
    EXPECT_EQ(fs::status(dir + "/t.ico").permissions(), fs::perms(0640));
}

// Shown on a real screen by tests/ui/icon_preview_test.sh, which takes the screenshot: the icon saved
// from a white picture with a red dot, previewed in the lower box, stays up until the script has its
// shot. Skipped elsewhere.
TEST_F(WindowSavesTest, IconPreviewOnScreenForTheScreenshot) {
    const char* shotDir = std::getenv("BRELVIK_ICON_SHOT_DIR");
    if (!shotDir) GTEST_SKIP() << "run by icon_preview_test.sh under a virtual X server";
    const std::string folder = shotDir;
    WriteBmp24(folder + "/dot.bmp", 100, 80, [](int x, int y) {
        if (x == 5 && y == 7) return 0xFF0000u;
        return x < 32 && y < 32 ? 0xFFFFFFu : 0x0000FFu;
    });
    Open(folder + "/dot.bmp");
    ASSERT_EQ(SaveAs(folder + "/dot", 2), "");
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    // The lower box lies below the fold: scroll its top to the top of the view.
    Form1->ScrollBox1->verticalScrollBar()->setValue(Form1->Image2->y());
    Form1->Image2->repaint();
    QTest::qWait(500);
    const QPoint at = Form1->Image2->mapToGlobal(QPoint(0, 0));
    std::ofstream(folder + "/ready") << at.x() << ' ' << at.y() << '\n';
    for (int i = 0; i < 200 && !fs::exists(folder + "/done"); ++i) QTest::qWait(100);
}

}  // namespace
