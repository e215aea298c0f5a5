// brelvik-cli's outputs where a plain path misleads: links to its own descriptors (/dev/stdout),
// scratch files in a folder other users share, the file size limit. Run by the shell for its
// redirections and limits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <regex>

#include "tests/TestSupport.h"
#include "tests/cli/CliRuns.h"

namespace fs = std::filesystem;

namespace {

class CliOutputPaths : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(scratch = dir + "/tmp");
        WriteSample(dir + "/a.bmp");
        WriteSample(dir + "/big.bmp", 100, 100);  // 30 KB
        Start(process, "brelvik-cli convert a.bmp -o ref.jpg");
        process.waitForFinished();
        reference = Bytes(dir + "/ref.jpg");
    }
    void TearDown() override { fs::remove_all(dir); }

    // `script` started by bash in the test's folder, with brelvik-cli on the PATH and TMPDIR set.
    void Start(QProcess& run, const std::string& script) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", BRELVIK_BINARY_DIR ":" + environment.value("PATH"));
        environment.insert("TMPDIR", QString::fromStdString(scratch));
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(QString::fromStdString(dir));
        run.start("bash", {"-c", QString::fromStdString(script)});
    }
    CliRun Shell(const std::string& script) {
        QProcess run;
        Start(run, script);
        run.waitForFinished(60000);
        return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1, "",
                run.readAllStandardError().toStdString()};
    }
    std::vector<std::string> Names(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir = TempDir(), scratch, reference;
    QProcess process;
};

}  // namespace

TEST_F(CliOutputPaths, LinksToItsOwnDescriptorsAreWrittenThrough) {
    fs::create_symlink("/proc/self/fd/1", dir + "/stdout");  // as /dev/stdout, leaving the system's alone
    const std::pair<std::string, std::string> cases[] = {
        {"brelvik-cli convert a.bmp -o stdout > f.jpg", reference},
        {"brelvik-cli convert a.bmp -o /dev/fd/1 | cat > f.jpg", reference},
        // Where the shell left the descriptor, never cutting what came before.
        {"{ printf head; brelvik-cli convert a.bmp -o stdout; } > f.jpg", "head" + reference},
        {"printf head > f.jpg; brelvik-cli convert a.bmp -o stdout >> f.jpg", "head" + reference},
    };
    for (const auto& [script, expected] : cases) {
        SCOPED_TRACE(script);
        EXPECT_EQ(Shell(script).err, "");
        EXPECT_TRUE(Bytes(dir + "/f.jpg") == expected);
        EXPECT_TRUE(fs::is_symlink(dir + "/stdout"));
    }
    EXPECT_EQ(Names(scratch), std::vector<std::string>{});
}

TEST_F(CliOutputPaths, ScratchFilesArePrivateAndFreshlyNamed) {
    // Another user's folders under names that scratch files once had block nobody.
    fs::create_directory(scratch + "/brelvik-cli-input.bmp");
    fs::create_directory(scratch + "/brelvik-cli-output");
    EXPECT_EQ(Shell("brelvik-cli convert --from bmp - -o - < a.bmp > s.jpg").err, "");
    EXPECT_TRUE(Bytes(dir + "/s.jpg") == reference);
    fs::remove(scratch + "/brelvik-cli-input.bmp");
    fs::remove(scratch + "/brelvik-cli-output");

    // While standard input is still coming, its copy is there for its owner's eyes only.
    Start(process, "umask 022; exec brelvik-cli convert --from bmp - -o held.jpg");
    process.write("BM");
    for (int i = 0; i < 500 && Names(scratch).empty(); ++i) usleep(20000);
    ASSERT_EQ(Names(scratch).size(), 1u);
    struct stat st {};
    EXPECT_EQ(stat((scratch + "/" + Names(scratch)[0]).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    process.closeWriteChannel();
    process.waitForFinished();
    EXPECT_EQ(Names(scratch), std::vector<std::string>{});
}

TEST_F(CliOutputPaths, FailedWritesNameTheFileThatFailedAndLeaveNothing) {
    const std::string missing = "Cannot create file \"" + dir + "/missing/brelvik-XXXXXX";
    const std::string tooBig = "Stream write error \\(scratch file " + dir + "/tmp/brelvik-\\w{6}";
    const struct {
        std::string script, tmpdir, err;
    } cases[] = {
        {"brelvik-cli convert a.bmp -o - > x.jpg", "missing",
         "a.bmp: " + missing + "\"\\. No such file or directory"},
        {"brelvik-cli convert --from bmp - -o x.jpg < a.bmp", "missing",
         "-: " + missing + "\\.bmp\"\\. No such file or directory"},
        {"ulimit -f 8; brelvik-cli convert --to bmp big.bmp -o - > x.bmp", "tmp",
         "big.bmp: " + tooBig + ": File too large\\)"},
        {"ulimit -f 8; brelvik-cli convert --from bmp - -o x.jpg < big.bmp", "tmp",
         "-: " + tooBig + "\\.bmp: File too large\\)"},
        {"ulimit -f 8; brelvik-cli convert --to bmp big.bmp -o x.bmp", "tmp",
         "big.bmp: Stream write error \\(x\\.bmp: File too large\\)"},
    };
    const std::vector<std::string> before = Names(dir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        scratch = dir + "/" + c.tmpdir;
        const CliRun run = Shell(c.script);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(std::regex_match(run.err, std::regex(c.err + "\n"))) << run.err;
        fs::remove(dir + "/x.jpg");  // made empty by the shell's redirection
        fs::remove(dir + "/x.bmp");
        EXPECT_EQ(Names(dir), before);  // no temporary left beside the output
    }
    EXPECT_EQ(Names(dir + "/tmp"), std::vector<std::string>{});
}
