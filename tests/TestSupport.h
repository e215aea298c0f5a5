#pragma once
#include <string>

// Where the shared BMP corpus lives: BRELVIK_CORPUS_DIR, else ../shared/testdata/bmpsuite beside
// the checkout; empty when absent. Tests then skip, or fail when BRELVIK_REQUIRE_CORPUS is set (CI).
std::string CorpusDir();
bool CorpusRequired();
// A fresh empty folder for one test's files.
std::string TempDir();
#define NEED_CORPUS()                                                                                   \
    do {                                                                                                \
        if (CorpusDir().empty() && CorpusRequired()) FAIL() << "../shared/testdata/bmpsuite is absent"; \
        if (CorpusDir().empty()) GTEST_SKIP() << "../shared/testdata/bmpsuite is absent";               \
    } while (0)
