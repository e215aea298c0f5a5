#include <gtest/gtest.h>

#include "ui/ProgramArguments.h"

namespace {

ProgramArguments Parse(std::vector<std::string> args) {
    return ParseProgramArguments(args);
}

TEST(ProgramArguments, NoArgumentStartsAsAlwaysAndOneIsThePicture) {
    EXPECT_EQ(Parse({}).request, ProgramArguments::Run);
    EXPECT_EQ(Parse({}).picture, "");
    EXPECT_EQ(Parse({"/home/u/фото.bmp"}).picture, "/home/u/фото.bmp");
    EXPECT_EQ(Parse({"--", "-dash.bmp"}).picture, "-dash.bmp");
    EXPECT_EQ(Parse({"-"}).picture, "-");  // not an option; loading it names the bad extension
}

TEST(ProgramArguments, HelpAndVersionWinAnywhereBeforeTheDoubleDash) {
    EXPECT_EQ(Parse({"--version"}).request, ProgramArguments::Version);
    EXPECT_EQ(Parse({"a.bmp", "-h"}).request, ProgramArguments::Help);
    EXPECT_EQ(Parse({"-x", "--help"}).request, ProgramArguments::Help);
    EXPECT_EQ(Parse({"--", "--help"}).picture, "--help");
}

TEST(ProgramArguments, RefusesUnknownOptionsAndASecondPicture) {
    EXPECT_EQ(Parse({"--open", "a.bmp"}).mistake, "unknown option '--open'");
    EXPECT_EQ(Parse({"a.bmp", "b.bmp"}).mistake, "only one picture can be opened");
    EXPECT_EQ(Parse({""}).request, ProgramArguments::Mistake);
}

TEST(ProgramArguments, VersionIsTheWindowCaption) {
    EXPECT_STREQ(ProgramVersionText, "Brelvik 1 10\n");
}

}  // namespace
