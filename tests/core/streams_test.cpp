#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "core/Errors.h"
#include "core/TBitmap.h"
#include "core/TStream.h"
#include "platform/File.h"
#include "tests/TestSupport.h"

TEST(MemoryStream, GrowsOnWriteAndReadsBackWhatWasWritten) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetPosition(8);
    stream.WriteBuffer("z", 1);  // writing past the end fills the gap with zeros
    EXPECT_EQ(stream.Size(), 9);
    EXPECT_EQ(stream.Data()[6], 0);
    stream.SetPosition(2);
    char buffer[4] = {};
    EXPECT_EQ(stream.Read(buffer, 3), 3u);
    EXPECT_STREQ(buffer, "cde");
    EXPECT_EQ(stream.Remaining(), 4);
    stream.SetSize(3);
    EXPECT_EQ(stream.Position(), 3);
}

TEST(MemoryStream, ShortReadsAreErrors) {
    TMemoryStream stream;
    stream.WriteBuffer("ab", 2);
    stream.SetPosition(0);
    char buffer[3];
    try {
        stream.ReadBuffer(buffer, 3);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    stream.SetPosition(-5);
    EXPECT_EQ(stream.Read(buffer, 1), 0u);
}

TEST(FileStream, OpenAndCreateFailuresNameTheFullPathAndTheReason) {
    const std::string dir = TempDir();
    ASSERT_EQ(::chdir(dir.c_str()), 0);
    try {
        TFileStream stream("missing.bmp", fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + dir + "/missing.bmp\". No such file or directory");
    }
    try {
        TFileStream stream("no/such/folder/out.jpg", fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(),
                  "Cannot create file \"" + dir + "/no/such/folder/out.jpg\". No such file or directory");
    }
    EXPECT_EQ(platform::FullPath("a/../b.bmp"), dir + "/b.bmp");
}

TEST(FileStream, WritesAndReadsAFile) {
    const std::string path = TempDir() + "/data.bin";
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer("hello", 5);
    }
    {
        TFileStream out(path, fmCreate);  // truncates
        out.WriteBuffer("hi", 2);
    }
    TFileStream in(path, fmOpenRead);
    EXPECT_EQ(in.Size(), 2);
    char buffer[2];
    in.ReadBuffer(buffer, 2);
    EXPECT_EQ(std::string(buffer, 2), "hi");
    EXPECT_THROW(in.ReadBuffer(buffer, 1), EReadError);
}

TEST(Text, FormatAndStrToInt) {
    EXPECT_EQ(Format(ErrorText::AssignError, "TIcon", "TBitmap"), "Cannot assign a TIcon to a TBitmap");
    EXPECT_EQ(Format("%s", ""), "");
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("-50"), -50);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt(" 12"), 12);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "12a", "1 ", "2147483648", "99999999999999999999", "$10"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(PictureData, LengthBeyondTheStreamIsAReadErrorBeforeAnyAllocation) {
    TMemoryStream stream;
    const std::uint8_t prefix[6] = {0xF0, 0xFF, 0xFF, 0xFF, 'B', 'M'};
    stream.WriteBuffer(prefix, sizeof prefix);
    stream.SetPosition(0);
    TBitmap bmp;
    EXPECT_THROW(bmp.ReadPictureData(stream), EReadError);
}
