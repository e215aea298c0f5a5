#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/TPicture.h"
#include "formats/PictureLoading.h"
#include "tests/TestSupport.h"
#include "tests/formats/BmpFixtures.h"

namespace fs = std::filesystem;

namespace {

// reference.tsv: corpus file, then its references separated by blanks (the first is the intended look).
std::map<std::string, std::string> References() {
    std::map<std::string, std::string> refs;
    std::ifstream tsv(CorpusDir() + "/reference.tsv");
    std::string line;
    std::getline(tsv, line);  // column titles
    while (std::getline(tsv, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::istringstream rest(line.substr(tab + 1));
        std::string first;
        if (rest >> first) refs[line.substr(0, tab)] = first;
    }
    return refs;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(CorpusDir() + "/" + folder))
        if (entry.path().extension() == ".bmp")
            files.push_back(folder + "/" + entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The loaded picture at 24 bits against the reference image: the first differing pixel, or "".
std::string Compare(TBitmap& bitmap, const QImage& reference, int tolerance) {
    if (bitmap.Width() != reference.width() || bitmap.Height() != reference.height())
        return "size " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height());
    bitmap.SetRasterFormat(rf24Bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const QRgb want = reference.pixel(x, y);
            const int got[3] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
            if (std::abs(got[0] - qRed(want)) > tolerance || std::abs(got[1] - qGreen(want)) > tolerance ||
                std::abs(got[2] - qBlue(want)) > tolerance) {
                std::ostringstream out;
                out << "pixel (" << x << ", " << y << ") is " << got[0] << "," << got[1] << "," << got[2]
                    << ", reference " << qRed(want) << "," << qGreen(want) << "," << qBlue(want);
                return out.str();
            }
        }
    }
    return "";
}

// Loading through the picture holder, as the program does; our own errors are a clean refusal.
std::string LoadFile(TPicture& picture, const std::string& path) {
    try {
        ReadFromFile(picture, path);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

void ExpectMatchesReference(const std::string& file, const std::map<std::string, std::string>& refs) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(refs.count(file)) << "no reference listed";
    TPicture picture;
    ASSERT_EQ(LoadFile(picture, CorpusDir() + "/" + file), "");
    const QImage reference(QString::fromStdString(CorpusDir() + "/" + refs.at(file)));
    ASSERT_FALSE(reference.isNull());
    auto& bitmap = dynamic_cast<TBitmap&>(*picture.HeldGraphic());
    const int tolerance = bitmap.Image()->description.bitCount == 16 ? 4 : 0;
    EXPECT_EQ(Compare(bitmap, reference, tolerance), "");
}

TEST(BmpCorpus, GoodFilesMatchTheirReferences) {
    NEED_CORPUS();
    const auto refs = References();
    const auto files = FilesIn("g");
    EXPECT_EQ(files.size(), 27u) << "the corpus's good files";
    for (const std::string& file : files) ExpectMatchesReference(file, refs);
}

TEST(BmpCorpus, QuestionableFilesWithAPixelOffsetOrLargeTableMatchToo) {
    NEED_CORPUS();
    const auto refs = References();
    for (const char* file : {"q/pal8offs.bmp", "q/pal8oversizepal.bmp", "q/rgb24largepal.bmp",
                             "q/pal8os2v2.bmp", "q/pal8os2-sz.bmp", "q/pal8os2-hs.bmp", "q/rgb32h52.bmp"})
        ExpectMatchesReference(file, refs);
}

TEST(BmpCorpus, QuestionableAndBadFilesLoadOrAreRefusedCleanly) {
    NEED_CORPUS();
    // Files in the folder, and how many of them load.
    const struct {
        const char* folder;
        std::size_t files, loaded;
    } folders[] = {{"q", 43, 34}, {"b", 20, 15}};
    for (const auto& [folder, files, loaded] : folders) {
        const auto names = FilesIn(folder);
        std::size_t loadedNow = 0;
        for (const std::string& file : names) {
            TPicture picture;
            const std::string error = LoadFile(picture, CorpusDir() + "/" + file);
            if (!error.empty()) {
                std::cout << "  " << file << ": " << error << "\n";
                continue;
            }
            auto& bitmap = dynamic_cast<TBitmap&>(*picture.HeldGraphic());
            bitmap.SetRasterFormat(rf24Bit);  // every pixel of what loaded can be read
            EXPECT_GT(bitmap.Width(), 0) << file;
            ++loadedNow;
        }
        EXPECT_EQ(names.size(), files) << folder;
        EXPECT_EQ(loadedNow, loaded) << folder;
    }
}

TEST(BmpCorpus, TruncatedFilesFailCleanly) {
    NEED_CORPUS();
    for (const std::string& file : FilesIn("g")) {
        const auto bytes = FileBytes(CorpusDir() + "/" + file);
        for (std::size_t length :
             {std::size_t(1), std::size_t(13), std::size_t(14), std::size_t(20), std::size_t(53),
              std::size_t(54), std::size_t(60), bytes.size() / 3, bytes.size() - 1}) {
            std::vector<std::uint8_t> cut(bytes.begin(),
                                          bytes.begin() + std::ptrdiff_t(std::min(length, bytes.size())));
            TBitmap bitmap;
            try {
                Load(bitmap, cut);
                bitmap.SetRasterFormat(rf24Bit);
            } catch (const Exception&) {
                continue;  // a refusal with one of our errors is clean
            }
        }
    }
}

}  // namespace
