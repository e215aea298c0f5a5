// brelvik-cli's outputs where a plain path misleads: links to the process's own descriptors
// (/dev/stdout), scratch files in a folder that other users share, and the file size limit. Runs
// go through the shell for its redirections and limits.
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
        dir = TempDir();
        scratch = dir + "/tmp";
        fs::create_directory(scratch);
        WriteSample(dir + "/a.bmp");
        WriteSample(dir + "/big.bmp", 100, 100);  // 30 KB as a BMP
        ASSERT_EQ(Shell("brelvik-cli convert a.bmp -o ref.jpg").status, 0);
        reference = Bytes(dir + "/ref.jpg");
    }
    void TearDown() override { fs::remove_all(dir); }

    // `script` run by bash in the test's folder, with brelvik-cli on the PATH and TMPDIR set.
    CliRun Shell(const std::string& script, QProcess* process = nullptr) {
        QProcess own;
        QProcess& run = process ? *process : own;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", BRELVIK_BINARY_DIR ":" + environment.value("PATH"));
        environment.insert("TMPDIR", QString::fromStdString(scratch));
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(QString::fromStdString(dir));
        run.start("bash", {"-c", QString::fromStdString(script)});
        if (process) return {};
        run.waitForFinished(60000);
        CliRun result;
        result.status = run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
        result.out = run.readAllStandardOutput().toStdString();
        result.err = run.readAllStandardError().toStdString();
        return result;
    }
    std::vector<std::string> ScratchNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(scratch))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir, scratch, reference;
};

}  // namespace

TEST_F(CliOutputPaths, LinksToOpenDescriptorsAreWrittenThrough) {
    // As /dev/stdout, without touching the system's own.
    fs::create_symlink("/proc/self/fd/1", dir + "/stdout");
    struct Case {
        std::string script, file, expected;
    };
    const Case cases[] = {
        {"brelvik-cli convert a.bmp -o stdout > f.jpg", "f.jpg", reference},
        {"brelvik-cli convert a.bmp -o /dev/fd/1 | cat > p.jpg", "p.jpg", reference},
        // Through the descriptor, where the shell left it, never truncating what came before.
        {"{ printf head; brelvik-cli convert a.bmp -o stdout; } > h.jpg", "h.jpg", "head" + reference},
        {"printf head > app.jpg; brelvik-cli convert a.bmp -o stdout >> app.jpg", "app.jpg",
         "head" + reference},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const CliRun run = Shell(c.script);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(Bytes(dir + "/" + c.file) == c.expected);
        EXPECT_TRUE(fs::is_symlink(dir + "/stdout"));
    }
    EXPECT_TRUE(ScratchNames().empty());
}

TEST_F(CliOutputPaths, ScratchFilesArePrivateFreshlyNamedAndBlamedByName) {
    // Another user's folders under the names scratch files once had block nobody.
    fs::create_directory(scratch + "/brelvik-cli-input.bmp");
    fs::create_directory(scratch + "/brelvik-cli-output");
    const CliRun both = Shell("brelvik-cli convert --from bmp - -o - < a.bmp > s.jpg");
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_TRUE(Bytes(dir + "/s.jpg") == reference);
    fs::remove(scratch + "/brelvik-cli-input.bmp");
    fs::remove(scratch + "/brelvik-cli-output");

    // While standard input is still coming, its copy is there for the owner's eyes only.
    QProcess held;
    Shell("umask 022; exec brelvik-cli convert --from bmp - -o held.jpg", &held);
    ASSERT_TRUE(held.waitForStarted());
    held.write("BM");
    for (int i = 0; i < 200 && ScratchNames().empty(); ++i) usleep(20000);
    ASSERT_EQ(ScratchNames().size(), 1u);
    struct stat st {};
    ASSERT_EQ(stat((scratch + "/" + ScratchNames()[0]).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    held.closeWriteChannel();
    held.waitForFinished(20000);
    EXPECT_TRUE(ScratchNames().empty());

    // A scratch folder that fails is named with the reason, never blamed on standard output.
    const std::string name = "\"" + dir + "/missing/brelvik-XXXXXX";
    const std::string limit = "ulimit -f 8; ";
    const struct {
        std::string script, tmpdir;
        std::regex err;
    } failures[] = {
        {"brelvik-cli convert a.bmp -o - > x.jpg", "missing",
         std::regex("a.bmp: Cannot create file " + name + "\"\\. No such file or directory\n")},
        {"brelvik-cli convert --from bmp - -o x.jpg < a.bmp", "missing",
         std::regex("-: Cannot create file " + name + "\\.bmp\"\\. No such file or directory\n")},
        {limit + "brelvik-cli convert --to bmp big.bmp -o - > x.bmp", "tmp",
         std::regex("big.bmp: Stream write error \\(scratch file " + scratch +
                    "/brelvik-\\w{6}: File too large\\)\n")},
        {limit + "brelvik-cli convert --from bmp - -o x.jpg < big.bmp", "tmp",
         std::regex("-: Stream write error \\(scratch file " + scratch +
                    "/brelvik-\\w{6}\\.bmp: File too large\\)\n")},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.script);
        scratch = dir + "/" + failure.tmpdir;
        const CliRun run = Shell(failure.script);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(std::regex_match(run.err, failure.err)) << run.err;
    }
    EXPECT_EQ(ScratchNames(), std::vector<std::string>{});
}

TEST_F(CliOutputPaths, AWritePastTheFileSizeLimitFailsAndLeavesNothing) {
    fs::create_directory(dir + "/out");
    const CliRun run = Shell("ulimit -f 8; brelvik-cli convert --to bmp big.bmp -o out/big.bmp");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "big.bmp: Stream write error (out/big.bmp: File too large)\n");
    EXPECT_TRUE(fs::is_empty(dir + "/out"));
}
