#pragma once
#include <string>

// Where the shared BMP corpus lives; empty when ../shared is absent (tests then skip).
std::string CorpusDir();
// A fresh empty folder for one test's files.
std::string TempDir();
#define SKIP_WITHOUT_CORPUS()                                                         \
    if (CorpusDir().empty()) GTEST_SKIP() << "../shared/testdata/bmpsuite is absent"
