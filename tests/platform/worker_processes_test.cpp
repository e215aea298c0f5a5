#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "platform/TempFileRegistry.h"
#include "platform/WorkerProcesses.h"
#include "tests/TestSupport.h"

namespace {

std::vector<int> Tasks(int count) {
    std::vector<int> tasks;
    for (int i = 0; i < count; ++i) tasks.push_back(i);
    return tasks;
}

}  // namespace

TEST(WorkerProcesses, EveryTaskRunsOnceAwayFromTheCaller) {
    std::map<int, std::string> results;
    std::vector<int> handedOut;
    platform::WorkerTasks handlers;
    handlers.work = [](int task) { return std::to_string(task * task) + "@" + std::to_string(getpid()); };
    handlers.handedOut = [&](int task) { handedOut.push_back(task); };
    handlers.finished = [&](int task, const std::string& result) {
        EXPECT_TRUE(results.emplace(task, result).second);
    };
    handlers.lost = [](int task, const std::string& reason) { ADD_FAILURE() << task << " " << reason; };
    platform::RunInWorkers(3, Tasks(20), handlers);

    EXPECT_EQ(handedOut, Tasks(20));  // in the order given
    ASSERT_EQ(results.size(), 20u);
    std::set<std::string> workers;
    for (const auto& [task, result] : results) {
        const std::string::size_type at = result.find('@');
        EXPECT_EQ(result.substr(0, at), std::to_string(task * task));
        workers.insert(result.substr(at + 1));
    }
    EXPECT_EQ(workers.count(std::to_string(getpid())), 0u);
    EXPECT_LE(workers.size(), 3u);
}

TEST(WorkerProcesses, AWorkerThatDiesLosesOnlyItsTask) {
    std::set<int> finished;
    std::map<int, std::string> lost;
    platform::WorkerTasks handlers;
    handlers.work = [](int task) {
        if (task == 2 || task == 5) std::abort();
        return std::string("fine");
    };
    handlers.finished = [&](int task, const std::string&) { finished.insert(task); };
    handlers.lost = [&](int task, const std::string& reason) { lost[task] = reason; };
    platform::RunInWorkers(2, Tasks(8), handlers);

    EXPECT_EQ(finished, (std::set<int>{0, 1, 3, 4, 6, 7}));
    ASSERT_EQ(lost.size(), 2u);
    EXPECT_NE(lost[2].find("killed by signal " + std::to_string(SIGABRT)), std::string::npos) << lost[2];
}

TEST(WorkerProcesses, TheTemporaryFileOfAWorkerKilledMidWriteIsRemoved) {
    const std::string dir = TempDir();
    std::set<int> finished, lost;
    platform::WorkerTasks handlers;
    handlers.work = [&](int task) {
        const std::string path = dir + "/.out" + std::to_string(task) + ".XXXXXX";
        std::fclose(std::fopen(path.c_str(), "w"));
        platform::RegisterTempFile(path.c_str());
        if (task == 1) raise(SIGKILL);
        unlink(path.c_str());
        return std::string();
    };
    handlers.finished = [&](int task, const std::string&) { finished.insert(task); };
    handlers.lost = [&](int task, const std::string&) { lost.insert(task); };
    platform::RunInWorkers(2, Tasks(4), handlers);

    EXPECT_EQ(finished, (std::set<int>{0, 2, 3}));
    EXPECT_EQ(lost, std::set<int>{1});
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    std::filesystem::remove(dir);
}

TEST(WorkerProcesses, AnExceptionInAWorkerEndsTheBatchWithItsText) {
    int started = 0;
    platform::WorkerTasks handlers;
    handlers.start = [&] {
        ++started;  // in the worker: the caller's count stays 0
        throw std::runtime_error("cannot load the text module");
    };
    handlers.work = [](int) { return std::string(); };
    handlers.finished = [](int, const std::string&) { ADD_FAILURE() << "no task can finish"; };
    try {
        platform::RunInWorkers(2, Tasks(6), handlers);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "cannot load the text module");
    }
    EXPECT_EQ(started, 0);
    EXPECT_GE(platform::ProcessorCount(), 1);
}
