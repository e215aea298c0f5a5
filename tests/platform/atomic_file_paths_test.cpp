// Outputs that a rename beside the path as given would get wrong: names reached through symbolic
// links, and names as long as a folder allows. The window's save and brelvik-cli share this code.
#include <gtest/gtest.h>
#include <limits.h>

#include <QString>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

bool Write(const std::string& target, const std::string& text, std::string& error,
           const std::string& suffix = {}, std::string* tempPath = nullptr) {
    platform::AtomicFile file(target, suffix);
    if (!file.Begin(error)) return false;
    if (tempPath) *tempPath = file.TempPath();
    std::ofstream(file.TempPath(), std::ios::binary) << text;
    return file.Commit(error);
}

std::string Bytes(const std::string& path) {
    std::ostringstream data;
    data << std::ifstream(path, std::ios::binary).rdbuf();
    return data.str();
}

// Every name under `dir`, links and hidden temporaries included.
std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        names.push_back(entry.path().lexically_relative(dir).string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(AtomicFilePaths, ALinkedOutputReplacesTheFileItNamesAndTheLinkStays) {
    const std::string dir = TempDir();
    const struct {
        std::vector<std::pair<std::string, std::string>> links;  // name, text; the first is written
        std::string lands, error;                                // nothing lands: refused
    } cases[] = {
        {{{"rel.jpg", "real/a.jpg"}}, "real/a.jpg", ""},
        {{{"abs.jpg", dir + "/real/a.jpg"}}, "real/a.jpg", ""},
        {{{"chain.jpg", "real/sub/hop.jpg"}, {"real/sub/hop.jpg", "../a.jpg"}}, "real/a.jpg", ""},
        {{{"dangling.jpg", "real/new.jpg"}}, "real/new.jpg", ""},
        {{{"loop.jpg", "loop2.jpg"}, {"loop2.jpg", "loop.jpg"}}, "", "Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.links.front().first);
        fs::remove_all(dir);
        fs::create_directories(dir + "/real/sub");
        std::ofstream(dir + "/real/a.jpg") << "old";
        for (const auto& [name, text] : c.links) fs::create_symlink(text, dir + "/" + name);
        std::vector<std::string> expected = Names(dir);
        if (c.lands == "real/new.jpg") expected.push_back(c.lands);
        std::sort(expected.begin(), expected.end());

        std::string error;
        EXPECT_EQ(Write(dir + "/" + c.links.front().first, "new", error), c.error.empty());
        EXPECT_EQ(error, c.error);
        for (const auto& link : c.links) EXPECT_TRUE(fs::is_symlink(dir + "/" + link.first)) << link.first;
        EXPECT_EQ(Bytes(dir + "/" + c.lands), c.lands.empty() ? "" : "new");
        EXPECT_EQ(Names(dir), expected);  // nothing else made, no temporary left
    }
    fs::remove_all(dir);
}

TEST(AtomicFilePaths, NamesAsLongAsAFolderAllowsAreWritten) {
    const std::string dir = TempDir();
    std::string cyrillic;
    for (int i = 0; i < 125; ++i) cyrillic += "д";  // two bytes each, cut inside one when shortened
    for (const std::string suffix : {"", ".bmp"})
        for (const std::string& name :
             {std::string(NAME_MAX, 'a'), cyrillic + ".jpg", "x" + cyrillic + ".jpg"}) {
            SCOPED_TRACE(name.size());
            std::string error, temp;
            EXPECT_TRUE(Write(dir + "/" + name, "x", error, suffix, &temp)) << error;
            temp = fs::path(temp).filename().string();
            EXPECT_LE(temp.size(), std::size_t(NAME_MAX));
            EXPECT_EQ(QString::fromUtf8(temp.c_str()).toStdString(), temp);  // whole characters
            EXPECT_EQ(Bytes(dir + "/" + name), "x");
            fs::remove(dir + "/" + name);
        }
    EXPECT_EQ(Names(dir), std::vector<std::string>{});
    fs::remove_all(dir);
}
