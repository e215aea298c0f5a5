// Runs the real brelvik-cli and checks what it writes and reports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/DrawCaption.h"
#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TCanvas.h"
#include "core/TPicture.h"
#include "formats/BmpHeaderSummary.h"
#include "formats/IconExport.h"
#include "formats/PictureLoading.h"
#include "formats/TJPEGImage.h"
#include "platform/File.h"
#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"

namespace fs = std::filesystem;

namespace {

// The picture a BMP file holds, at 24 bits.
std::unique_ptr<TBitmap> Load24(const std::string& path) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->ReadFromFile(path);
    bmp->SetRasterFormat(rf24Bit);
    return bmp;
}

// What the main window's save button writes for this BMP at this slider position.
std::string WindowJpeg(const std::string& bmpPath, int quality, const std::string& target) {
    TPicture picture;
    ReadFromFile(picture, bmpPath);
    TJPEGImage jpeg;
    jpeg.CopyFrom(picture.HeldGraphic());
    jpeg.Encode(JpegSettingsAtQuality(QualityOfSliderPosition(quality)));
    jpeg.WriteToFile(target);
    return Bytes(target);
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CliConvert : public ::testing::Test {
protected:
    void SetUp() override {
        dir = TempDir();
        WriteSample(dir + "/a.bmp");
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string dir;
};

}  // namespace

TEST_F(CliConvert, JpegEqualsTheWindowsSaveByteForByte) {
    for (int quality : {0, 1, 50, 100}) {
        CliRun run = RunCli(dir, {"convert", "-q", QString::number(quality), "a.bmp", "-o", "cli.jpg"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Bytes(dir + "/cli.jpg"), WindowJpeg(dir + "/a.bmp", quality, dir + "/window.jpg"))
            << quality;
    }
    // The default is the slider's start, 50, and the output lands beside the source.
    ASSERT_EQ(RunCli(dir, {"convert", "a.bmp"}).status, 0);
    EXPECT_EQ(Bytes(dir + "/a.jpg"), WindowJpeg(dir + "/a.bmp", 50, dir + "/window.jpg"));
    // Slider position 0 encodes like 1.
    RunCli(dir, {"convert", "-q0", "a.bmp", "-o", "q0.jpg"});
    RunCli(dir, {"convert", "-q1", "a.bmp", "-o", "q1.jpg"});
    EXPECT_EQ(Bytes(dir + "/q0.jpg"), Bytes(dir + "/q1.jpg"));
}

TEST_F(CliConvert, EditsRunInTheOrderGiven) {
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--lighten", "50", "--invert", "a.bmp", "-o", "li.bmp"})
                  .status,
              0);
    ASSERT_EQ(
        RunCli(dir, {"convert", "--to", "bmp", "--invert", "--darken", "50", "a.bmp", "-o", "id.bmp"}).status,
        0);
    auto source = Load24(dir + "/a.bmp");
    auto li = Load24(dir + "/li.bmp");
    auto id = Load24(dir + "/id.bmp");
    ASSERT_EQ(li->Width(), source->Width());
    for (int y = 0; y < source->Height(); ++y)
        for (int i = 0; i < 3 * source->Width(); ++i) {
            int v = source->Row(y)[i];
            int lightened = v + 50 <= 255 ? v + 50 : v;  // out of range: left as it was
            ASSERT_EQ(li->Row(y)[i], 255 - lightened) << y << "," << i;
            int inverted = 255 - v;
            ASSERT_EQ(id->Row(y)[i], inverted - 50 >= 0 ? inverted - 50 : inverted) << y << "," << i;
        }
}

TEST_F(CliConvert, RotationTurnsAboutTheCentreAndKeepsTheSize) {
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--rotate", "180", "a.bmp", "-o", "r180.bmp"}).status,
              0);
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--rotate", "90", "--rotate", "90", "a.bmp", "-o",
                           "r90x2.bmp"})
                  .status,
              0);
    auto source = Load24(dir + "/a.bmp");
    auto turned = Load24(dir + "/r180.bmp");
    const int w = source->Width(), h = source->Height();
    ASSERT_EQ(turned->Width(), w);
    ASSERT_EQ(turned->Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(0, std::memcmp(turned->Row(y) + 3 * x, source->Row(h - 1 - y) + 3 * (w - 1 - x), 3));
    // Two quarter turns of a picture that is not square lose its corners to blue, so differ from
    // one half turn; they still keep the size.
    EXPECT_EQ(Load24(dir + "/r90x2.bmp")->Width(), w);
}

TEST_F(CliConvert, OddSizedPicturesTurnAboutTheirTrueCentre) {
    WriteSample(dir + "/odd.bmp", 9, 5);
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--rotate", "180", "odd.bmp", "-o", "h.bmp"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--rotate", "90", "odd.bmp", "-o", "q.bmp"}).status, 0);
    auto source = Load24(dir + "/odd.bmp");
    auto half = Load24(dir + "/h.bmp");
    auto quarter = Load24(dir + "/q.bmp");
    const std::uint8_t blue[3] = {255, 0, 0};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(0, std::memcmp(half->Row(y) + 3 * x, source->Row(4 - y) + 3 * (8 - x), 3))
                << x << "," << y;
            // A quarter turn of 9 x 5 about its centre: columns 2 to 6 hold the turned middle.
            const int sx = y + 2, sy = 6 - x;
            const std::uint8_t* expected = sy >= 0 && sy < 5 ? source->Row(sy) + 3 * sx : blue;
            ASSERT_EQ(0, std::memcmp(quarter->Row(y) + 3 * x, expected, 3)) << x << "," << y;
        }
}

TEST_F(CliConvert, CaptionIsDrawnAsTheCaptionDialogDrawsIt) {
    CliRun run = RunCli(dir, {"convert", "--to", "bmp", "--caption", "Ж1", "--at", "2,3", "--font",
                              "DejaVu Sans", "--size", "12", "--color", "FF0000", "a.bmp", "-o", "c.bmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    TBitmap expected;
    expected.ReadFromFile(dir + "/a.bmp");
    DrawCaption(expected, "Ж1", 2, 3, clRed, "DejaVu Sans", 12);
    expected.SetRasterFormat(rf24Bit);
    auto drawn = Load24(dir + "/c.bmp");
    int red = 0;
    for (int y = 0; y < expected.Height(); ++y) {
        ASSERT_EQ(0, std::memcmp(drawn->Row(y), expected.Row(y), 3 * expected.Width())) << "row " << y;
        for (int x = 0; x < expected.Width(); ++x) red += drawn->Surface().ReadPixel(x, y) == clRed;
    }
    EXPECT_GT(red, 10);
}

// Without its text module beside it, the program still converts; only a caption run fails, and
// cleanly.
TEST_F(CliConvert, OnlyCaptionRunsNeedTheTextModule) {
    const std::string alone = dir + "/alone";
    fs::create_directory(alone);
    fs::copy_file(BRELVIK_BINARY_DIR "/brelvik-cli", alone + "/brelvik-cli");
    const auto run = [&](const QStringList& args) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir));
        process.start(QString::fromStdString(alone + "/brelvik-cli"), args);
        process.waitForFinished(120000);
        return std::pair{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                         process.readAllStandardError().toStdString()};
    };
    EXPECT_EQ(run({"convert", "--rotate", "90", "a.bmp", "-o", "r.jpg"}).first, 0);
    EXPECT_TRUE(fs::exists(dir + "/r.jpg"));

    const auto [status, err] = run({"convert", "--caption", "x", "--at", "1,1", "a.bmp", "-o", "c.jpg"});
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("libbrelvik-text.so"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(dir + "/c.jpg"));
}

// Runs that draw no text start without the toolkit's libraries. The dynamic linker's own report
// (LD_DEBUG) names every library the process opens, the text module's included.
TEST_F(CliConvert, OnlyCaptionRunsLoadTheToolkit) {
    const auto opened = [&](const QStringList& args) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_DEBUG", "files");
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(dir));
        process.start(QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"), args);
        process.waitForFinished(120000);
        EXPECT_EQ(process.exitCode(), 0) << args.join(' ').toStdString();
        return process.readAllStandardError().toStdString();
    };
    for (const QStringList& plain :
         {QStringList{"convert", "--rotate", "90", "a.bmp", "-o", "r.jpg"}, QStringList{"info", "a.bmp"}}) {
        const std::string report = opened(plain);
        EXPECT_EQ(report.find("libQt6"), std::string::npos) << plain.join(' ').toStdString();
        EXPECT_EQ(report.find("libbrelvik-text.so"), std::string::npos);
    }
    const std::string caption = opened({"convert", "--caption", "x", "--at", "1,1", "a.bmp", "-o", "c.jpg"});
    EXPECT_NE(caption.find("libQt6Gui"), std::string::npos);
}

TEST_F(CliConvert, IconIsBuiltFromTheFileOnDiskAsTheWindowDoes) {
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "ico", "a.bmp"}).status, 0);
    std::unique_ptr<platform::Bitmap> scratch = platform::Bitmap::CreateDevice(224, 64);
    TRasterCanvas surface(*scratch);
    SaveIconFromSource(dir + "/a.bmp", dir + "/window.ico", surface, nullptr);
    EXPECT_EQ(Bytes(dir + "/a.ico").size(), 766u);
    EXPECT_EQ(Bytes(dir + "/a.ico"), Bytes(dir + "/window.ico"));

    CliRun edited = RunCli(dir, {"convert", "--to", "ico", "--invert", "a.bmp", "-o", "e.ico"});
    EXPECT_EQ(edited.status, 2);
    EXPECT_NE(edited.err.find("--to ico"), std::string::npos) << edited.err;
    EXPECT_FALSE(fs::exists(dir + "/e.ico"));
}

TEST_F(CliConvert, EachFailureIsReportedAndTheOtherFilesStillWritten) {
    WriteSample(dir + "/b.bmp", 5, 5);
    std::ofstream(dir + "/bad.bmp") << "BMnot really a bitmap";
    std::ofstream(dir + "/notes.txt") << "text";
    fs::create_directory(dir + "/out");
    CliRun run =
        RunCli(dir, {"convert", "-o", "out", "a.bmp", "missing.bmp", "bad.bmp", "notes.txt", "b.bmp"});
    EXPECT_EQ(run.status, 1);
    std::string missing = Format(ErrorText::FOpen, platform::FullPath(dir + "/missing.bmp").c_str(),
                                 "No such file or directory");
    EXPECT_EQ(run.err,
              "[1/5] a.bmp -> out/a.jpg\n"
              "missing.bmp: " +
                  missing +
                  "\n"
                  "bad.bmp: Stream read error\n"
                  "notes.txt: Unknown picture file extension (.txt)\n"
                  "[5/5] b.bmp -> out/b.jpg\n");
    // Only finished outputs are left: no temporary files, nothing for the failed sources.
    EXPECT_EQ(FilesIn(dir + "/out"), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(CliConvert, DamagedPicturesFailWithTheSystemsMessage) {
    std::string header = Bytes(dir + "/a.bmp").substr(0, 54);
    std::ofstream(dir + "/planes.bmp", std::ios::binary)
        << header.substr(0, 26) << '\x02' << header.substr(27);
    std::ofstream(dir + "/fake.jpg") << "not a jpeg at all";
    fs::create_directory(dir + "/out");
    CliRun run = RunCli(dir, {"convert", "planes.bmp", "fake.jpg", "-o", "out"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("planes.bmp: Bitmap image is not valid\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("fake.jpg: JPEG error #53\n"), std::string::npos) << run.err;
}

TEST_F(CliConvert, NothingIsReplacedOrLeftHalfWritten) {
    std::string source = Bytes(dir + "/a.bmp");
    CliRun own = RunCli(dir, {"convert", "--to", "bmp", "a.bmp"});
    EXPECT_EQ(own.status, 1);
    EXPECT_NE(own.err.find("a.bmp: the output \"a.bmp\" would replace the source"), std::string::npos)
        << own.err;
    EXPECT_EQ(Bytes(dir + "/a.bmp"), source);

    // A failed conversion leaves an existing output as it was.
    std::ofstream(dir + "/keep.jpg") << "earlier output";
    std::ofstream(dir + "/bad.bmp") << "XY";
    EXPECT_EQ(RunCli(dir, {"convert", "bad.bmp", "-o", "keep.jpg"}).status, 1);
    EXPECT_EQ(Bytes(dir + "/keep.jpg"), "earlier output");

    CliRun nowhere = RunCli(dir, {"convert", "a.bmp", "-o", "/nonexistent-folder/x.jpg"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(nowhere.err,
              "a.bmp: Cannot create file \"/nonexistent-folder/x.jpg\". No such file or directory\n");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.bmp", "bad.bmp", "keep.jpg"}));
}

TEST_F(CliConvert, OutputsTheUserMayNotWriteAreLeftAlone) {
    // Root may write anywhere, so the run is made as an unprivileged user.
    if (geteuid() != 0 || !fs::exists("/usr/bin/setpriv")) GTEST_SKIP() << "needs root and setpriv";
    fs::permissions(dir, fs::perms(0777));
    std::ofstream(dir + "/keep.jpg") << "earlier output";
    fs::permissions(dir + "/keep.jpg", fs::perms(0644));
    fs::create_directory(dir + "/closed");
    fs::permissions(dir + "/closed", fs::perms(0755));
    const auto runAsNobody = [this](const QString& output) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir));
        process.start("/usr/bin/setpriv",
                      {"--reuid=65534", "--regid=65534", "--clear-groups",
                       QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"), "convert", "a.bmp", "-o", output});
        process.waitForFinished(120000);
        return std::pair{process.exitCode(), process.readAllStandardError().toStdString()};
    };
    EXPECT_EQ(runAsNobody("keep.jpg"),
              std::pair(1, "a.bmp: Cannot create file \"" + dir + "/keep.jpg\". Permission denied\n"));
    EXPECT_EQ(Bytes(dir + "/keep.jpg"), "earlier output");
    EXPECT_EQ(runAsNobody("closed/x.jpg"),
              std::pair(1, "a.bmp: Cannot create file \"" + dir + "/closed/x.jpg\". Permission denied\n"));
    EXPECT_TRUE(fs::is_empty(dir + "/closed"));
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.bmp", "closed", "keep.jpg"}));
}

TEST_F(CliConvert, SeveralSourcesNeedAnExistingFolder) {
    WriteSample(dir + "/b.bmp", 3, 3);
    CliRun run = RunCli(dir, {"convert", "a.bmp", "b.bmp", "-o", "nofolder"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("existing folder"), std::string::npos);
    EXPECT_NE(run.err.find("Try 'brelvik-cli --help'"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir + "/nofolder"));
}

TEST_F(CliConvert, JpegSourcesAreDecodedBeforeEditsAndWriting) {
    ASSERT_EQ(RunCli(dir, {"convert", "-q", "100", "a.bmp"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "a.jpg", "-o", "back.bmp"}).status, 0);
    auto source = Load24(dir + "/a.bmp");
    auto back = Load24(dir + "/back.bmp");
    ASSERT_EQ(back->Width(), source->Width());
    ASSERT_EQ(back->Height(), source->Height());
    int worst = 0;
    for (int y = 0; y < source->Height(); ++y)
        for (int i = 0; i < 3 * source->Width(); ++i)
            worst = std::max(worst, std::abs(int(back->Row(y)[i]) - int(source->Row(y)[i])));
    EXPECT_LE(worst, 12);
    // An edit works on the decoded pixels instead of emptying the picture.
    CliRun inverted = RunCli(dir, {"convert", "--invert", "a.jpg", "-o", "inv.jpg"});
    ASSERT_EQ(inverted.status, 0) << inverted.err;
    EXPECT_GT(Bytes(dir + "/inv.jpg").size(), 300u);
}

TEST(CliCommands, InfoHelpVersionAndUsageErrors) {
    std::string dir = TempDir();
    WriteSample(dir + "/a.bmp", 100, 50);
    CliRun info = RunCli(dir, {"info", "a.bmp"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out,
              "Filesize:    15054\nWidth:       100\nHeight:      50\nBitCount:    24\nUsed:        0\n\n\n"
              "Brelvik 1 10\n");
    CliRun missing = RunCli(dir, {"info", "none.bmp"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("none.bmp: Cannot open file \"", 0), 0u) << missing.err;

    CliRun help = RunCli(dir, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("brelvik-cli convert [OPTIONS] SOURCE..."), std::string::npos);
    CliRun version = RunCli(dir, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "brelvik-cli 1.10\n");
    for (const QStringList& args : {QStringList{}, QStringList{"convert", "-q", "500", "a.bmp"}}) {
        CliRun bad = RunCli(dir, args);
        EXPECT_EQ(bad.status, 2);
        EXPECT_EQ(bad.out, "");
        EXPECT_NE(bad.err.find("brelvik-cli: "), std::string::npos);
    }
    fs::remove_all(dir);
}
