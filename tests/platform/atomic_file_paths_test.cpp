// Outputs that a plain rename beside the path given would get wrong: names reached through
// symbolic links, and names as long as a folder allows. The window's save and brelvik-cli both
// write through AtomicFile.
#include <gtest/gtest.h>
#include <limits.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;
using platform::AtomicFile;

namespace {

class AtomicFilePaths : public ::testing::Test {
protected:
    void SetUp() override { dir = TempDir(); }
    void TearDown() override { fs::remove_all(dir); }

    bool Write(const std::string& target, const std::string& text, std::string& error) {
        AtomicFile file(target);
        if (!file.Begin(error)) return false;
        std::ofstream(file.TempPath(), std::ios::binary) << text;
        return file.Commit(error);
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(dir + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // Every name under the folder, links and hidden temporaries included.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            names.push_back(entry.path().lexically_relative(dir).string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir;
};

}  // namespace

TEST_F(AtomicFilePaths, ALinkedOutputReplacesTheFileItNamesAndTheLinkStays) {
    struct Link {
        std::string name, pointsTo;
    };
    struct Case {
        std::vector<Link> links;  // the first is written to
        std::string lands;        // empty: refused with `error`
        std::string error = {};
    };
    const std::vector<Case> cases = {
        {{{"rel.jpg", "real/a.jpg"}}, "real/a.jpg"},
        {{{"abs.jpg", dir + "/real/a.jpg"}}, "real/a.jpg"},
        {{{"chain.jpg", "real/sub/hop.jpg"}, {"real/sub/hop.jpg", "../a.jpg"}}, "real/a.jpg"},
        {{{"dangling.jpg", "real/new.jpg"}}, "real/new.jpg"},
        {{{"loop.jpg", "loop2.jpg"}, {"loop2.jpg", "loop.jpg"}}, "", "Too many levels of symbolic links"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.links.front().name);
        fs::remove_all(dir);
        fs::create_directories(dir + "/real/sub");
        std::ofstream(dir + "/real/a.jpg") << "old";
        for (const Link& link : c.links) fs::create_symlink(link.pointsTo, dir + "/" + link.name);
        std::vector<std::string> before = Names();
        if (!fs::exists(dir + "/" + c.lands) && !c.lands.empty()) before.push_back(c.lands);
        std::sort(before.begin(), before.end());

        std::string error;
        EXPECT_EQ(Write(dir + "/" + c.links.front().name, "new", error), c.lands.size() > 0) << error;
        EXPECT_EQ(error, c.error);
        for (const Link& link : c.links) EXPECT_TRUE(fs::is_symlink(dir + "/" + link.name)) << link.name;
        if (!c.lands.empty()) {
            EXPECT_EQ(Read(c.lands), "new");
        }
        EXPECT_EQ(Names(), before);  // nothing else made, no temporary left
    }
}

TEST_F(AtomicFilePaths, NamesAsLongAsAFolderAllowsAreWritten) {
    std::string cyrillic;
    for (int i = 0; i < 125; ++i) cyrillic += "д";  // two bytes each
    for (const std::string& suffix : {std::string(), std::string(".bmp")})
        for (const std::string& name :
             {std::string(NAME_MAX, 'a'), cyrillic + ".jpg", "x" + cyrillic + ".jpg"}) {
            SCOPED_TRACE(name.size());
            AtomicFile file(dir + "/" + name, suffix);
            std::string error;
            ASSERT_TRUE(file.Begin(error)) << error;
            // The temporary name keeps whole characters: ".NAME.XXXXXX" and the suffix.
            const std::string temp = fs::path(file.TempPath()).filename().string();
            EXPECT_LE(temp.size(), std::size_t(NAME_MAX));
            const std::size_t kept = temp.size() - std::strlen("..XXXXXX") - suffix.size();
            EXPECT_EQ(temp.substr(1, kept), name.substr(0, kept));
            EXPECT_NE(static_cast<unsigned char>(name[kept]) & 0xC0, 0x80);
            std::ofstream(file.TempPath()) << "x";
            ASSERT_TRUE(file.Commit(error)) << error;
            EXPECT_EQ(Read(name), "x");
            fs::remove(dir + "/" + name);
        }
    EXPECT_EQ(Names(), std::vector<std::string>{});
}
