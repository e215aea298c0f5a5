// brelvik-cli against hostile inputs and outputs: FIFOs, devices, folders, interrupts, full disks,
// pictures that declare huge sizes. Every run has a time limit, so a run that blocks fails.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "cli/Options.h"
#include "core/Errors.h"
#include "core/TBitmap.h"
#include "formats/TJPEGImage.h"
#include "platform/File.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

constexpr int RunLimitMs = 20000;

struct CliRun {
    int status = -1;  // -1: killed or crashed
    std::string err;
};

class CliHostileInput : public ::testing::Test {
protected:
    void SetUp() override {
        dir = TempDir();
        WriteSample(dir + "/a.bmp", 38, 24);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun Run(const QStringList& args) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir));
        process.start(QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"), args);
        if (!process.waitForFinished(RunLimitMs)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "brelvik-cli " << args.join(' ').toStdString() << " did not finish";
        }
        CliRun run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.err = process.readAllStandardError().toStdString();
        return run;
    }
    static void WriteSample(const std::string& path, int width, int height) {
        TBitmap bmp;
        bmp.SetRasterFormat(rf24Bit);
        bmp.SetWidth(width);
        bmp.SetHeight(height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = bmp.Row(y) + 3 * x;
                p[0] = std::uint8_t(x * 6), p[1] = std::uint8_t(y * 10),
                p[2] = std::uint8_t(40 + x * 3 + y * 4);
            }
        bmp.WriteToFile(path);
    }
    std::string Fifo(const std::string& name) {
        EXPECT_EQ(mkfifo((dir + "/" + name).c_str(), 0644), 0);
        return dir + "/" + name;
    }
    std::string Device(const std::string& name, unsigned minor) {
        const std::string path = dir + "/" + name;
        return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0 ? path : std::string();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Bytes(const std::string& name) const {
        std::ifstream file(dir + "/" + name, std::ios::binary);
        std::ostringstream data;
        data << file.rdbuf();
        return data.str();
    }
    void WriteRaw(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(dir + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::string dir;
};

#define NEED_DEVICE(path) \
    if ((path).empty()) GTEST_SKIP() << "cannot make a device node here (needs root)"

// A BMP file's 54 header bytes declaring width x height at `bits`, then `body`.
std::vector<std::uint8_t> DeclaredBmp(std::int32_t width, std::int32_t height, int bits, int compression,
                                      std::vector<std::uint8_t> body) {
    std::vector<std::uint8_t> f(54 + body.size(), 0);
    std::copy(body.begin(), body.end(), f.begin() + 54);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = std::uint8_t(v >> (8 * i));
    };
    f[0] = 'B', f[1] = 'M';
    put32(2, std::uint32_t(54 + body.size()));
    put32(10, 54), put32(14, 40), put32(18, std::uint32_t(width)), put32(22, std::uint32_t(height));
    f[26] = 1, f[28] = std::uint8_t(bits);
    put32(30, std::uint32_t(compression));
    return f;
}

}  // namespace

TEST_F(CliHostileInput, FifoSourcesAreRefusedAtOnceWithNothingWritten) {
    const std::string fifo = Fifo("p.bmp");
    const std::string refusal = "Cannot open file \"" + fifo + "\". Not a regular file";
    CliRun convert = Run({"convert", "p.bmp"});
    EXPECT_EQ(convert.status, 1);
    EXPECT_EQ(convert.err, "p.bmp: " + refusal + "\n");
    CliRun info = Run({"info", "p.bmp"});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "p.bmp: " + refusal + "\n");

    // Fed by a writer, the FIFO is still no file: never a 0-byte success.
    QProcess feeder;
    feeder.start("sh", {"-c", QString::fromStdString("exec cat '" + dir + "/a.bmp' > '" + fifo + "'")});
    ASSERT_TRUE(feeder.waitForStarted());
    CliRun fed = Run({"convert", "p.bmp", "-o", "fed.jpg"});
    feeder.kill();
    feeder.waitForFinished();
    EXPECT_EQ(fed.status, 1);
    EXPECT_NE(fed.err.find(refusal), std::string::npos) << fed.err;

    fs::create_symlink("/dev/urandom", dir + "/r.bmp");
    CliRun device = Run({"convert", "r.bmp", "-o", "r.jpg"});
    EXPECT_EQ(device.status, 1);
    EXPECT_EQ(device.err, "r.bmp: Cannot open file \"" + dir + "/r.bmp\". Not a regular file\n");
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "p.bmp", "r.bmp"}));
}

TEST_F(CliHostileInput, FoldersAsSourcesGiveTheSystemsOpenError) {
    fs::create_directory(dir + "/d.bmp");
    fs::create_directory(dir + "/x.jpg");
    CliRun info = Run({"info", "d.bmp"});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "d.bmp: Cannot open file \"" + dir + "/d.bmp\". Is a directory\n");
    CliRun convert = Run({"convert", "x.jpg", "-o", "x-out.jpg"});
    EXPECT_EQ(convert.status, 1);
    EXPECT_EQ(convert.err, "x.jpg: Cannot open file \"" + dir + "/x.jpg\". Is a directory\n");
    EXPECT_FALSE(fs::exists(dir + "/x-out.jpg"));
}

TEST_F(CliHostileInput, DevicesAreWrittenStraightToAndFifoTargetsRefused) {
    const std::string fifo = Fifo("p.jpg");
    CliRun refused = Run({"convert", "a.bmp", "-o", "p.jpg"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "a.bmp: Cannot create file \"" + fifo + "\". Not a regular file\n");
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string null = Device("null", 3);
    NEED_DEVICE(null);
    for (const char* kind : {"jpeg", "bmp", "ico"}) {
        CliRun written = Run({"convert", "a.bmp", "--to", kind, "-o", "./null"});
        EXPECT_EQ(written.status, 0) << kind << ": " << written.err;
        EXPECT_TRUE(fs::is_character_file(null)) << kind;
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.bmp", "null", "p.jpg"}));  // no temporaries
}

TEST_F(CliHostileInput, AFullDiskNamesTheOutputAndTheSystemsReason) {
    const std::string full = Device("full", 7);
    NEED_DEVICE(full);
    for (const char* kind : {"jpeg", "bmp", "ico"}) {
        CliRun run = Run({"convert", "a.bmp", "--to", kind, "-o", "./full"});
        EXPECT_EQ(run.status, 1) << kind;
        EXPECT_EQ(run.err, "a.bmp: Stream write error (./full: No space left on device)\n") << kind;
    }
}

TEST_F(CliHostileInput, AnInterruptDuringTheWriteLeavesNoTemporaryFile) {
    // Large enough that the write is still under way when the temporary file appears.
    WriteSample(dir + "/big.bmp", 4000, 4000);
    fs::create_directory(dir + "/out");
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(inotify_add_watch(watch, (dir + "/out").c_str(), IN_CREATE), 0);
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir));
        process.start(QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"),
                      {"convert", "big.bmp", "--to", "bmp", "-o", "out/big.bmp"});
        ASSERT_TRUE(process.waitForStarted());
        alignas(inotify_event) char event[sizeof(inotify_event) + 256];
        alarm(20);
        const bool created = read(watch, event, sizeof event) > 0;  // the temporary file is made
        alarm(0);
        close(watch);
        kill(pid_t(process.processId()), signal);
        process.waitForFinished(RunLimitMs);
        EXPECT_TRUE(created);
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);  // ended by the signal, as it should
        EXPECT_TRUE(fs::is_empty(dir + "/out")) << fs::directory_iterator(dir + "/out")->path();
    }
}

TEST_F(CliHostileInput, IconsAreBuiltFromAnyLoadablePicture) {
    // A JPEG source gives the icon of its decoded pixels, as a BMP of those pixels does.
    TBitmap sample;
    sample.ReadFromFile(dir + "/a.bmp");
    TJPEGImage jpeg;
    jpeg.CopyFrom(&sample);
    jpeg.WriteToFile(dir + "/a.jpg");
    TBitmap decoded;
    decoded.CopyFrom(&jpeg);
    decoded.SetRasterFormat(rf24Bit);
    decoded.WriteToFile(dir + "/decoded.bmp");
    ASSERT_EQ(Run({"convert", "--to", "ico", "a.jpg", "-o", "from-jpeg.ico"}).status, 0);
    ASSERT_EQ(Run({"convert", "--to", "ico", "decoded.bmp", "-o", "from-bmp.ico"}).status, 0);
    const std::string fromJpeg = Bytes("from-jpeg.ico"), fromBmp = Bytes("from-bmp.ico");
    ASSERT_EQ(fromJpeg.size(), 766u);
    ASSERT_EQ(fromBmp.size(), 766u);
    // Decoding in another process may round a few pixels to the neighbouring 16-colour entry.
    int differing = 0;
    for (std::size_t i = 0; i < fromJpeg.size(); ++i) differing += fromJpeg[i] != fromBmp[i];
    EXPECT_LT(differing, 16);

    // An icon source makes an icon too; a source with nothing in it is an error, not a blank icon.
    CliRun fromIcon = Run({"convert", "--to", "ico", "from-bmp.ico", "-o", "again.ico"});
    EXPECT_EQ(fromIcon.status, 0) << fromIcon.err;
    EXPECT_EQ(Bytes("again.ico").size(), 766u);
    WriteRaw("empty.jpg", {});
    CliRun empty = Run({"convert", "--to", "ico", "empty.jpg", "-o", "empty.ico"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_FALSE(fs::exists(dir + "/empty.ico"));
}

TEST_F(CliHostileInput, MaxPixelsRefusesHugeDeclaredPicturesBeforeTheirRaster) {
    WriteRaw("huge24.bmp", DeclaredBmp(16383, 16383, 24, 0, std::vector<std::uint8_t>(100, 0)));
    WriteRaw("huge-rle.bmp", DeclaredBmp(16000, 16000, 8, 1, {0, 0, 0, 1}));
    for (const char* name : {"huge24.bmp", "huge-rle.bmp"}) {
        CliRun run = Run({"convert", "--max-pixels", "1000000", name, "-o", "out.jpg"});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_EQ(run.err, std::string(name) + ": Out of system resources\n");
    }
    // Other kinds are checked once loaded, before they are decoded.
    TBitmap sample;
    sample.ReadFromFile(dir + "/a.bmp");
    TJPEGImage jpeg;
    jpeg.CopyFrom(&sample);
    jpeg.WriteToFile(dir + "/a.jpg");
    EXPECT_EQ(Run({"convert", "--max-pixels", "911", "a.jpg", "-o", "out.jpg"}).err,
              "a.jpg: Out of system resources\n");
    EXPECT_EQ(Run({"convert", "--max-pixels", "912", "a.jpg", "-o", "out.jpg"}).status, 0);  // 38 x 24
    EXPECT_EQ(Run({"convert", "--max-pixels", "0", "a.bmp"}).status, 2);

    // The default is the raster ceiling itself.
    EXPECT_EQ(ParseCommandLine({"convert", "a.bmp"}).convert.maxPixels, std::int64_t(1) << 28);
}

// brelvik-cli's exit status and its own peak memory in KiB, run in `dir` with standard error in
// the file "err".
std::pair<int, long> RunMeasured(const std::string& dir, std::vector<std::string> args) {
    args.insert(args.begin(), BRELVIK_BINARY_DIR "/brelvik-cli");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int err = open((dir + "/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (chdir(dir.c_str()) != 0 || err < 0 || dup2(err, 2) < 0) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return {-1, 0};
    return {WEXITSTATUS(status), usage.ru_maxrss};
}

TEST_F(CliHostileInput, JpegOutputsOfASideBeyondTheCodecFailBeforeTheRowsAreRead) {
    // 262 million pixels, within the raster ceiling: reading them would take 770 MB.
    WriteRaw("wide.bmp", DeclaredBmp(65501, 4000, 24, 0, {}));
    WriteRaw("tall.bmp", DeclaredBmp(4000, -65501, 24, 0, {}));
    for (const char* name : {"wide.bmp", "tall.bmp"}) {
        const auto [status, peakKiB] = RunMeasured(dir, {"convert", name, "-o", "out.jpg"});
        EXPECT_EQ(status, 1) << name;
        EXPECT_EQ(Bytes("err"), name + (": " + Format(ErrorText::JpegError, JERR_IMAGE_TOO_BIG)) + "\n");
        EXPECT_LT(peakKiB, 200 * 1024) << name;
    }
    EXPECT_FALSE(fs::exists(dir + "/out.jpg"));
}
