#include <gtest/gtest.h>

#include "core/Errors.h"
#include "formats/BmpHeaderSummary.h"
#include "platform/File.h"
#include "tests/TestSupport.h"
#include "tests/formats/IcoTestFiles.h"

using namespace icotest;

namespace {

using Lines = std::vector<std::string>;

Lines Expected(const std::string& size, const std::string& width, const std::string& height,
               const std::string& bits, const std::string& used) {
    return {"Filesize:    " + size,
            "Width:       " + width,
            "Height:      " + height,
            "BitCount:    " + bits,
            "Used:        " + used,
            "",
            "",
            "Brelvik 1 10"};
}

std::string Written(const std::string& name, const Bytes& bytes) {
    const std::string path = TempDir() + "/" + name;
    WriteFile(path, bytes);
    return path;
}

TEST(BmpHeaderSummary, ListsTheStoredFacts) {
    const Bytes bmp = MakeBmp24(100, 50, [](int, int) { return 0x336699u; });
    ASSERT_EQ(bmp.size(), 15054u);
    EXPECT_EQ(SummarizeBmpHeader(Written("a.bmp", bmp)), Expected("15054", "100", "50", "24", "0"));
}

TEST(BmpHeaderSummary, ShowsSignedSizesAndUnsignedCounts) {
    Bytes bmp = MakeBmp24(3, 2, [](int, int) { return 0u; });
    bmp[22] = 0xFE;  // height -2: top-down
    bmp[23] = bmp[24] = bmp[25] = 0xFF;
    bmp[2] = 0x10;  // file size 0x80000010
    bmp[3] = bmp[4] = 0x00;
    bmp[5] = 0x80;
    bmp[46] = 0xFF;  // colours used 0xFFFFFFFF
    bmp[47] = bmp[48] = bmp[49] = 0xFF;
    EXPECT_EQ(SummarizeBmpHeader(Written("b.bmp", bmp)),
              Expected("2147483664", "3", "-2", "24", "4294967295"));
}

TEST(BmpHeaderSummary, ShortAndForeignFilesAreReadAsFarAsTheyGo) {
    Bytes shortFile = MakeBmp24(100, 50, [](int, int) { return 0u; });
    shortFile.resize(20);  // ends inside the width field, whose low bytes are there
    EXPECT_EQ(SummarizeBmpHeader(Written("short.bmp", shortFile)), Expected("15054", "100", "0", "0", "0"));
    shortFile.resize(18);
    EXPECT_EQ(SummarizeBmpHeader(Written("shorter.bmp", shortFile)), Expected("15054", "0", "0", "0", "0"));
    EXPECT_EQ(SummarizeBmpHeader(Written("empty.bmp", {})), Expected("0", "0", "0", "0", "0"));

    Bytes jpeg(60, 0);
    const Bytes start = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00, 0x01,
                         0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43};
    std::copy(start.begin(), start.end(), jpeg.begin());
    // Filesize from bytes 2..5, width from 18..21, height from 22..25.
    EXPECT_EQ(SummarizeBmpHeader(Written("photo.jpg", jpeg)),
              Expected(std::to_string(0x1000E0FFu), std::to_string(0xDBFF0000u - 0x100000000ll),
                       std::to_string(0x4300), "0", "0"));
}

TEST(BmpHeaderSummary, MissingFileNamesTheFullPathAndReason) {
    const std::string dir = TempDir();
    try {
        SummarizeBmpHeader(dir + "/nothing.bmp");
        FAIL() << "a missing file was summarised";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + platform::FullPath(dir + "/nothing.bmp") +
                                   "\". No such file or directory");
    }
}

}  // namespace
