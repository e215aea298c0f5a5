// Files that are not regular files: FIFOs, devices, folders as sources and targets, and the
// temporary files an interrupt must not leave behind. Every test arms an alarm, so an open that
// waits fails the test instead of hanging it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/AtomicFile.h"
#include "platform/File.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;
using platform::AtomicFile;
using platform::File;

namespace {

class NonRegularFiles : public ::testing::Test {
protected:
    void SetUp() override {
        alarm(20);
        dir = TempDir();
    }
    void TearDown() override {
        alarm(0);
        fs::remove_all(dir);
    }
    std::string Fifo(const std::string& name) {
        const std::string path = dir + "/" + name;
        EXPECT_EQ(mkfifo(path.c_str(), 0644), 0);
        return path;
    }
    // A character device node of our own (1,3 is the null device, 1,7 the always-full one).
    std::string Device(const std::string& name, unsigned minor) {
        const std::string path = dir + "/" + name;
        if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return {};
        return path;
    }
    // The names in the folder, the hidden temporaries included.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir;
};

#define NEED_DEVICE(path) \
    if ((path).empty()) GTEST_SKIP() << "cannot make a device node here (needs root)"

}  // namespace

TEST_F(NonRegularFiles, OnlyRegularFilesOpenForReadingAndNoneWaits) {
    std::string error;
    File file;
    EXPECT_FALSE(file.OpenRead(Fifo("p.bmp"), error));  // no writer: a blocking open would wait forever
    EXPECT_EQ(error, "Not a regular file");
    fs::create_directory(dir + "/d.bmp");
    EXPECT_FALSE(file.OpenRead(dir + "/d.bmp", error));
    EXPECT_EQ(error, "Is a directory");
    fs::create_symlink("/dev/zero", dir + "/z.bmp");
    EXPECT_FALSE(file.OpenRead(dir + "/z.bmp", error));
    EXPECT_EQ(error, "Not a regular file");
    EXPECT_FALSE(file.OpenRead(dir + "/missing.bmp", error));
    EXPECT_EQ(error, "No such file or directory");

    std::ofstream(dir + "/a.bmp") << "BM";
    ASSERT_TRUE(file.OpenRead(dir + "/a.bmp", error)) << error;
    char data[4] = {};
    EXPECT_EQ(file.Read(data, 4), 2u);  // reads wait as usual once open
}

TEST_F(NonRegularFiles, CreateWritesDevicesStraightAndRefusesFifos) {
    std::string error;
    File file;
    const std::string fifo = Fifo("p.jpg");
    EXPECT_FALSE(file.Create(fifo, error));
    EXPECT_EQ(error, "Not a regular file");
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string null = Device("null", 3);
    NEED_DEVICE(null);
    ASSERT_TRUE(file.Create(null, error)) << error;
    File second;  // devices take no lock: parallel writers to /dev/null are common
    ASSERT_TRUE(second.Create(null, error)) << error;
    EXPECT_EQ(file.Write("abc", 3), 3u);
    EXPECT_EQ(second.Write("de", 2), 2u);
    file.Close();
    EXPECT_TRUE(fs::is_character_file(null));

    // A write that fails keeps the system's reason.
    const std::string full = Device("full", 7);
    ASSERT_TRUE(file.Create(full, error)) << error;
    EXPECT_EQ(file.Write("abc", 3), 0u);
    EXPECT_EQ(file.WriteFailure(), "No space left on device");
}

TEST_F(NonRegularFiles, AtomicFileReplacesOnlyRegularFiles) {
    std::string error;
    {
        AtomicFile folder(dir + "/d.jpg");
        fs::create_directory(dir + "/d.jpg");
        EXPECT_FALSE(folder.Begin(error));
        EXPECT_EQ(error, "Is a directory");
    }
    {
        AtomicFile fifo(Fifo("p.jpg"));
        EXPECT_FALSE(fifo.Begin(error));
        EXPECT_EQ(error, "Not a regular file");
    }
    {
        // Something other than a regular file took the target's place while it was written.
        AtomicFile late(dir + "/late.jpg");
        ASSERT_TRUE(late.Begin(error)) << error;
        ASSERT_EQ(mkfifo((dir + "/late.jpg").c_str(), 0644), 0);
        EXPECT_FALSE(late.Commit(error));
        EXPECT_EQ(error, "Not a regular file");
    }
    EXPECT_TRUE(fs::is_directory(dir + "/d.jpg"));
    EXPECT_TRUE(fs::is_fifo(dir + "/p.jpg"));
    EXPECT_TRUE(fs::is_fifo(dir + "/late.jpg"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"d.jpg", "late.jpg", "p.jpg"}));  // no temporaries

    const std::string null = Device("null", 3);
    NEED_DEVICE(null);
    AtomicFile device(null);
    ASSERT_TRUE(device.Begin(error)) << error;
    EXPECT_TRUE(device.WritesStraight());
    EXPECT_EQ(device.TempPath(), null);
    EXPECT_TRUE(device.Commit(error));
    EXPECT_TRUE(fs::is_character_file(null));
}

namespace {

// Begins an atomic file that is never committed, and leaves it alive.
void BeginForever(const std::string& target) {
    auto* file = new AtomicFile(target);
    std::string error;
    if (!file->Begin(error)) _exit(3);
}

// Runs `body` in a child that is stopped by `signal` once it reports ready on a pipe; returns how
// the child ended.
template <class Body>
int StatusAfterSignal(int signal, Body body) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        body();
        const char byte = 1;
        if (write(ready[1], &byte, 1) != 1) _exit(4);
        for (;;) pause();
    }
    close(ready[1]);
    char byte = 0;
    const bool started = read(ready[0], &byte, 1) == 1;
    close(ready[0]);
    kill(child, started ? signal : SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

}  // namespace

TEST_F(NonRegularFiles, AnInterruptRemovesEveryLiveTemporaryOfItsOwnProcess) {
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const int status = StatusAfterSignal(signal, [&] {
            BeginForever(dir + "/a.bmp");
            BeginForever(dir + "/b.jpg");
            BeginForever(dir + "/c.ico");
        });
        // The process still ends by the signal, as the shell expects of an interrupted command.
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(Names().empty()) << Names().front();
    }
}

TEST_F(NonRegularFiles, AForkedWorkerRemovesOnlyItsOwnTemporaries) {
    // The parent's temporary is alive when it forks a worker, which makes two of its own and is
    // then interrupted: the parent's survives (it is still writing it) and is removed at its end.
    AtomicFile parent(dir + "/parent.bmp");
    std::string error;
    ASSERT_TRUE(parent.Begin(error)) << error;
    const int status = StatusAfterSignal(SIGTERM, [&] {
        BeginForever(dir + "/worker1.jpg");
        BeginForever(dir + "/worker2.jpg");
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    ASSERT_EQ(Names().size(), 1u);
    EXPECT_EQ(Names()[0], fs::path(parent.TempPath()).filename().string());
    ASSERT_TRUE(parent.Commit(error)) << error;
    EXPECT_EQ(Names(), std::vector<std::string>{"parent.bmp"});
}
