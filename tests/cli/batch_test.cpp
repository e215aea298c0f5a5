// Runs the real brelvik-cli on batches: several workers, folder trees, lists, pipes, reports.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "core/TBitmap.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"

namespace fs = std::filesystem;

namespace {

void WriteSample(const std::string& path, int width, int height, int seed) {
    fs::create_directories(fs::path(path).parent_path());
    TBitmap bmp;
    bmp.SetRasterFormat(rf24Bit);
    bmp.SetWidth(width);
    bmp.SetHeight(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 3 * width; ++x) bmp.Row(y)[x] = std::uint8_t(x * seed + y * 7 + seed * 31);
    bmp.WriteToFile(path);
}

// Every file under `root` with its bytes, by path relative to it.
std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = Bytes(entry.path().string());
    return files;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::string::size_type at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::vector<QJsonObject> JsonLines(const std::string& out) {
    std::vector<QJsonObject> records;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error{};
        QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
        records.push_back(document.object());
    }
    return records;
}

std::vector<pid_t> ChildrenOf(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state;
        pid_t ppid = 0;
        if (stat >> pid >> name >> state >> ppid && ppid == parent) children.push_back(std::stoi(pid));
    }
    return children;
}

class CliBatch : public ::testing::Test {
protected:
    void SetUp() override { dir = TempDir(); }
    void TearDown() override { fs::remove_all(dir); }

    // 32 pictures in nested folders, two damaged ones among them, plus what -r must pass over.
    void MakeTree() {
        int n = 0;
        for (const char* folder : {"in", "in/a", "in/a/deep", "in/b", "in/c d"})
            for (int i = 0; i < 6; ++i, ++n)
                WriteSample(dir + "/" + folder + "/p" + std::to_string(i) + ".bmp", 20 + n, 9 + n % 5, n + 1);
        WriteSample(dir + "/in/b/UPPER.BMP", 33, 17, 90);
        WriteSample(dir + "/in/b/last.bmp", 5, 5, 91);
        std::ofstream(dir + "/in/a/broken.bmp") << "BMnot really a bitmap";
        std::ofstream(dir + "/in/b/fake.jpg") << "not a jpeg at all";
        std::ofstream(dir + "/in/notes.txt") << "not a picture";
        WriteSample(dir + "/in/.hidden/h.bmp", 4, 4, 3);
        WriteSample(dir + "/in/.h.bmp", 4, 4, 3);
        fs::create_directory_symlink(dir + "/in/a", dir + "/in/link");
    }

    std::string dir;
};

}  // namespace

TEST_F(CliBatch, TwoJobsWriteTheSameTreeAndReportAsOne) {
    MakeTree();
    CliRun one = RunCli(dir, {"convert", "-r", "-j", "1", "-o", "one", "in"});
    CliRun two = RunCli(dir, {"convert", "-r", "--jobs=2", "-o", "two", "in"});
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(Replace(two.err, "two/", "one/"), one.err);
    EXPECT_NE(one.err.find("in/a/broken.bmp: Stream read error\n"), std::string::npos) << one.err;
    EXPECT_NE(one.err.find("in/b/fake.jpg: JPEG error #53\n"), std::string::npos);
    EXPECT_NE(one.err.find("[34/34] in/p5.bmp -> one/p5.jpg\n"), std::string::npos) << one.err;

    const auto tree = Tree(dir + "/one");
    EXPECT_EQ(tree.size(), 32u);  // no hidden files, nothing through the link, nothing for failures
    EXPECT_EQ(Tree(dir + "/two"), tree);
    EXPECT_TRUE(tree.count("a/deep/p3.jpg"));
    EXPECT_TRUE(tree.count("c d/p0.jpg"));
    EXPECT_TRUE(tree.count("b/UPPER.jpg"));
    // The mirrored output is what a conversion of the single file gives.
    ASSERT_EQ(RunCli(dir, {"convert", "in/a/deep/p3.bmp", "-o", "single.jpg"}).status, 0);
    EXPECT_EQ(tree.at("a/deep/p3.jpg"), Bytes(dir + "/single.jpg"));
}

// Each worker starts the font engine for itself (a started toolkit is not forked).
TEST_F(CliBatch, CaptionsInWorkersMatchOneJob) {
    for (int i = 0; i < 3; ++i) WriteSample(dir + "/p" + std::to_string(i) + ".bmp", 60, 30, i + 1);
    fs::create_directory(dir + "/one");
    fs::create_directory(dir + "/two");
    const QStringList edit = {"convert", "--caption", "Ж1",     "--at",   "2,2",    "--font", "DejaVu Sans",
                              "--size",  "14",        "p0.bmp", "p1.bmp", "p2.bmp", "--to",   "bmp"};
    ASSERT_EQ(RunCli(dir, edit + QStringList{"-j", "1", "-o", "one"}).status, 0);
    CliRun two = RunCli(dir, edit + QStringList{"-j", "2", "-o", "two"});
    ASSERT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(Tree(dir + "/two"), Tree(dir + "/one"));
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "p0.bmp", "-o", "plain.bmp"}).status, 0);
    EXPECT_NE(Bytes(dir + "/one/p0.bmp"), Bytes(dir + "/plain.bmp"));
}

TEST_F(CliBatch, BesideTheSourcesARepeatedRunLeavesEarlierOutputsAlone) {
    WriteSample(dir + "/in/x.bmp", 8, 8, 1);
    WriteSample(dir + "/in/sub/y.bmp", 8, 8, 2);
    ASSERT_EQ(RunCli(dir, {"convert", "-r", "in"}).status, 0);
    EXPECT_TRUE(fs::exists(dir + "/in/sub/y.jpg"));
    CliRun again = RunCli(dir, {"convert", "-r", "--to", "bmp", "-o", "back", "in"});
    // x.jpg and y.jpg are the outputs of x.bmp and y.bmp in a JPEG run, but not in this one.
    EXPECT_EQ(again.status, 1) << again.err;  // x.jpg -> back/x.bmp after x.bmp -> back/x.bmp
    CliRun repeat = RunCli(dir, {"convert", "-r", "in"});
    EXPECT_EQ(repeat.status, 0) << repeat.err;
    EXPECT_EQ(repeat.err, "[1/2] in/sub/y.bmp -> in/sub/y.jpg\n[2/2] in/x.bmp -> in/x.jpg\n");
}

TEST_F(CliBatch, JsonRecordsDescribeEachFileInSourceOrder) {
    WriteSample(dir + "/a.bmp", 31, 17, 1);
    WriteSample(dir + "/b.bmp", 12, 40, 2);
    std::ofstream(dir + "/bad.bmp") << "XY";
    fs::create_directory(dir + "/out");
    CliRun run = RunCli(dir, {"convert", "--json", "-j", "2", "--rotate", "90", "-o", "out", "a.bmp",
                              "bad.bmp", "b.bmp", "--to", "bmp"});
    EXPECT_EQ(run.status, 1);
    const std::vector<QJsonObject> records = JsonLines(run.out);
    ASSERT_EQ(records.size(), 3u) << run.out;
    const char* sources[] = {"a.bmp", "bad.bmp", "b.bmp"};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(records[i]["source"].toString().toStdString(), sources[i]);
    for (std::size_t i : {0u, 2u}) {
        const QJsonObject& record = records[i];
        const std::string output = record["output"].toString().toStdString();
        EXPECT_EQ(record["status"].toString(), "ok");
        EXPECT_FALSE(record.contains("error"));
        EXPECT_EQ(record["bytes"].toInteger(), qint64(fs::file_size(dir + "/" + output)));
        TBitmap written;
        written.ReadFromFile(dir + "/" + output);
        EXPECT_EQ(record["width"].toInt(), written.Width());
        EXPECT_EQ(record["height"].toInt(), written.Height());
        EXPECT_GE(record["milliseconds"].toInt(-1), 0);
    }
    EXPECT_EQ(records[0]["width"].toInt(), 31);
    EXPECT_EQ(records[1]["status"].toString(), "failed");
    EXPECT_EQ(records[1]["output"].toString(), "out/bad.bmp");
    EXPECT_TRUE(records[1]["bytes"].isNull());
    const std::string error = records[1]["error"].toString().toStdString();
    EXPECT_NE(run.err.find("bad.bmp: " + error + "\n"), std::string::npos) << run.err;
}

TEST_F(CliBatch, SourcesFromAListByLineOrByNul) {
    WriteSample(dir + "/one.bmp", 6, 6, 1);
    WriteSample(dir + "/with space.bmp", 6, 6, 2);
    WriteSample(dir + "/new\nline.bmp", 6, 6, 3);
    fs::create_directory(dir + "/lines");
    fs::create_directory(dir + "/nul");
    CliRun lines =
        RunCli(dir, {"convert", "--files-from", "-", "-o", "lines"}, "one.bmp\n\nwith space.bmp\n");
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(Tree(dir + "/lines").size(), 2u);
    const std::string list("one.bmp\0with space.bmp\0new\nline.bmp\0", 37);
    std::ofstream(dir + "/list", std::ios::binary) << list;
    CliRun nul = RunCli(dir, {"convert", "--files-from", "list", "-0", "--json", "-o", "nul"});
    EXPECT_EQ(nul.status, 0) << nul.err;
    const auto records = JsonLines(nul.out);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2]["source"].toString(), "new\nline.bmp");
    EXPECT_TRUE(fs::exists(dir + "/nul/new\nline.jpg"));
    // Nothing listed is nothing to do.
    EXPECT_EQ(RunCli(dir, {"convert", "--files-from", "-", "-0"}, "").status, 0);
    EXPECT_EQ(RunCli(dir, {"convert", "--files-from", "missing-list"}).status, 2);
}

TEST_F(CliBatch, StandardInputToStandardOutputEqualsAFileConversion) {
    WriteSample(dir + "/a.bmp", 37, 21, 5);
    ASSERT_EQ(RunCli(dir, {"convert", "-q", "80", "a.bmp", "-o", "file.jpg"}).status, 0);
    CliRun piped =
        RunCli(dir, {"convert", "-q", "80", "--from", "bmp", "-", "-o", "-"}, Bytes(dir + "/a.bmp"));
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, Bytes(dir + "/file.jpg"));
    EXPECT_EQ(piped.err, "");

    ASSERT_EQ(RunCli(dir, {"convert", "--to", "bmp", "--invert", "file.jpg", "-o", "file.bmp"}).status, 0);
    CliRun back =
        RunCli(dir, {"convert", "--to", "bmp", "--invert", "--from", "jpeg", "-", "-o", "-"}, piped.out);
    EXPECT_EQ(back.out, Bytes(dir + "/file.bmp"));
    CliRun icon = RunCli(dir, {"convert", "--to", "ico", "--from", "bmp", "-", "-o", "stdin.ico"},
                         Bytes(dir + "/a.bmp"));
    ASSERT_EQ(RunCli(dir, {"convert", "--to", "ico", "a.bmp"}).status, 0);
    EXPECT_EQ(Bytes(dir + "/stdin.ico"), Bytes(dir + "/a.ico"));
    // A damaged picture on standard input writes nothing to standard output.
    CliRun damaged = RunCli(dir, {"convert", "--from", "bmp", "-", "-o", "-"}, "BM short");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.out, "");
    EXPECT_EQ(damaged.err.rfind("-: ", 0), 0u) << damaged.err;
}

TEST_F(CliBatch, UsageErrorsForTheStandardStreams) {
    WriteSample(dir + "/a.bmp", 4, 4, 1);
    WriteSample(dir + "/b.bmp", 4, 4, 2);
    const std::vector<QStringList> wrong = {
        {"convert", "a.bmp", "b.bmp", "-o", "-"},
        {"convert", "-r", ".", "-o", "-"},
        {"convert", "-", "-o", "x.jpg"},
        {"convert", "--from", "bmp", "-", "a.bmp", "-o", "x.jpg"},
        {"convert", "--from", "bmp", "-"},
        {"convert", "--json", "a.bmp", "-o", "-"},
        {"convert", "--from", "xcf", "-", "-o", "-"},
        {"convert", "-0", "a.bmp"},
        {"convert", "--json=yes", "a.bmp"},
    };
    for (const QStringList& args : wrong) {
        CliRun run = RunCli(dir, args, "BM");
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Try 'brelvik-cli --help'"), std::string::npos);
    }
    EXPECT_EQ(Tree(dir).size(), 2u);
}

TEST_F(CliBatch, SkipExistingResumesAnInterruptedBatch) {
    for (int i = 0; i < 4; ++i) WriteSample(dir + "/in/p" + std::to_string(i) + ".bmp", 9, 9, i + 1);
    ASSERT_EQ(RunCli(dir, {"convert", "-r", "-o", "out", "in"}).status, 0);
    // As if stopped before p2 and p3 were finished; p1's source changed since.
    fs::remove(dir + "/out/p2.jpg");
    std::ofstream(dir + "/out/p3.jpg") << "stale";
    fs::last_write_time(dir + "/out/p3.jpg",
                        fs::last_write_time(dir + "/in/p3.bmp") - std::chrono::seconds(5));
    WriteSample(dir + "/in/p1.bmp", 9, 9, 7);
    const std::string p0 = Bytes(dir + "/out/p0.jpg");
    const auto p0Time = fs::last_write_time(dir + "/out/p0.jpg");

    CliRun resumed = RunCli(dir, {"convert", "-r", "--skip-existing", "--json", "-o", "out", "in"});
    EXPECT_EQ(resumed.status, 0) << resumed.err;
    const auto records = JsonLines(resumed.out);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0]["status"].toString(), "skipped");
    EXPECT_EQ(records[0]["bytes"].toInteger(), qint64(p0.size()));
    for (int i : {1, 2, 3}) EXPECT_EQ(records[i]["status"].toString(), "ok") << i;
    EXPECT_EQ(Bytes(dir + "/out/p0.jpg"), p0);
    EXPECT_EQ(fs::last_write_time(dir + "/out/p0.jpg"), p0Time);
    EXPECT_NE(Bytes(dir + "/out/p3.jpg"), "stale");
    EXPECT_NE(resumed.err.find("[1/4] in/p0.bmp: skipped, out/p0.jpg is newer\n"), std::string::npos)
        << resumed.err;
}

// An interrupt sent to brelvik-cli alone reaches its workers: they end, it waits for them, then ends
// as interrupted, and no temporary file is left behind.
TEST_F(CliBatch, AnInterruptEndsTheWorkersAndLeavesNoTemporaryFiles) {
    for (int i = 0; i < 24; ++i) WriteSample(dir + "/in/p" + std::to_string(i) + ".bmp", 1500, 1000, i + 1);
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(dir));
    process.start(QStringLiteral(BRELVIK_BINARY_DIR "/brelvik-cli"),
                  {"convert", "-j", "2", "--to", "bmp", "-r", "-o", "out", "in"});
    ASSERT_TRUE(process.waitForStarted());
    const pid_t parent = pid_t(process.processId());
    std::vector<pid_t> workers;
    for (int i = 0; i < 5000 && workers.size() < 2; ++i) {
        workers = ChildrenOf(parent);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(workers.size(), 2u);
    kill(parent, SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);  // ended by the signal
    for (pid_t worker : workers) EXPECT_NE(kill(worker, 0), 0) << "worker " << worker << " still runs";
    std::size_t written = 0;
    // The interrupt may come before the first output folder is made.
    const bool anyOutput = fs::exists(dir + "/out");
    for ([[maybe_unused]] const auto& entry : anyOutput ? Tree(dir + "/out") : decltype(Tree(dir)){}) {
        ++written;
#if __has_include("platform/TempFileRegistry.h")
        // Removing live temporary files on an interrupt is the registry's work.
        EXPECT_NE(fs::path(entry.first).filename().string()[0], '.')
            << "temporary file left: " << entry.first;
#endif
    }
    EXPECT_LT(written, 24u);
}

TEST(CliBatchHelp, NamesEveryBatchOption) {
    CliRun help = RunCli(".", {"--help"});
    for (const char* option :
         {"-j, --jobs N", "-r, --recursive", "--files-from FILE", "-0, --null", "--json", "--skip-existing",
          "--from ico|bmp|jpeg|png|webp|tiff|gif", "-o -", "SOURCE -"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}
