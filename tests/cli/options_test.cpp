#include "cli/Options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/OutputPlan.h"
#include "cli/Progress.h"
#include "cli/UsageError.h"
#include "tests/TestSupport.h"

namespace {

CommandLine Parse(std::vector<std::string> args) {
    return ParseCommandLine(args);
}
ConvertOptions Convert(std::vector<std::string> args) {
    args.insert(args.begin(), "convert");
    return Parse(args).convert;
}

}  // namespace

TEST(CliOptions, DefaultsAreTheSaveButtonsStartingPoint) {
    ConvertOptions options = Convert({"a.bmp"});
    EXPECT_EQ(options.kind, OutputKind::Jpeg);
    EXPECT_EQ(options.quality, 50);
    EXPECT_FALSE(options.output.has_value());
    EXPECT_TRUE(options.edits.empty());
    EXPECT_EQ(options.sources, (std::vector<std::string>{"a.bmp"}));
}

TEST(CliOptions, AcceptsShortLongAndAttachedSpellings) {
    ConvertOptions a = Convert({"-t", "bmp", "-q0", "-o", "out", "x.bmp", "y.bmp"});
    EXPECT_EQ(a.kind, OutputKind::Bitmap);
    EXPECT_EQ(a.quality, 0);
    EXPECT_EQ(*a.output, "out");
    EXPECT_EQ(a.sources.size(), 2u);
    ConvertOptions b = Convert({"--to=ico", "--quality", "100", "--output=o.ico", "x.bmp"});
    EXPECT_EQ(b.kind, OutputKind::Icon);
    EXPECT_EQ(b.quality, 100);
    EXPECT_EQ(*b.output, "o.ico");
    // Sizes as du reads them.
    EXPECT_EQ(Convert({"--max-size", "1500", "x.bmp"}).maxSize, 1500);
    EXPECT_EQ(Convert({"--max-size=80k", "x.bmp"}).maxSize, 80 * 1024);
    EXPECT_EQ(Convert({"--max-size", "2MiB", "x.bmp"}).maxSize, 2 << 20);
    EXPECT_EQ(Convert({"--max-size", "3GB", "x.bmp"}).maxSize, 3000000000);
    // After "--" everything is a SOURCE, even a name that starts with a dash.
    EXPECT_EQ(Convert({"--", "-odd.bmp"}).sources, (std::vector<std::string>{"-odd.bmp"}));
}

TEST(CliOptions, EditsKeepTheirOrderAndValues) {
    ConvertOptions options =
        Convert({"--lighten", "20",        "--invert", "--darken", "30",    "--rotate", "180", "--caption",
                 "Привет",    "--at",      "3,-4",     "--font",   "Arial", "--size",   "12",  "--color",
                 "#00ff80",   "--caption", "b",        "--at",     "0,0",   "a.bmp"});
    ASSERT_EQ(options.edits.size(), 6u);
    EXPECT_EQ(options.edits[0].kind, EditStep::Brightness);
    EXPECT_EQ(options.edits[0].step, 20);
    EXPECT_EQ(options.edits[1].kind, EditStep::Invert);
    EXPECT_EQ(options.edits[2].step, -30);
    EXPECT_EQ(options.edits[3].angle, 180.0);
    const EditStep& caption = options.edits[4];
    EXPECT_EQ(caption.text, "Привет");
    EXPECT_EQ(caption.x, 3);
    EXPECT_EQ(caption.y, -4);
    EXPECT_EQ(caption.fontName, "Arial");
    EXPECT_EQ(caption.fontSize, 12);
    EXPECT_EQ(caption.fontColor, 0x80FF00u);  // red 0, green 255, blue 128 as 0x00BBGGRR
    // A second caption starts from the dialog's defaults again.
    EXPECT_EQ(options.edits[5].fontName, "MS Sans Serif");
    EXPECT_EQ(options.edits[5].fontSize, 8);
    EXPECT_EQ(options.edits[5].fontColor, clWindowText);
}

TEST(CliOptions, BatchOptions) {
    ConvertOptions defaults = Convert({"a.bmp"});
    EXPECT_EQ(defaults.jobs, 0);  // one per processor
    EXPECT_FALSE(defaults.recursive || defaults.json || defaults.skipExisting || defaults.nullSeparated);
    ConvertOptions all = Convert({"-j3", "-r", "--json", "--skip-existing", "--files-from", "list", "-0"});
    EXPECT_EQ(all.jobs, 3);
    EXPECT_TRUE(all.recursive && all.json && all.skipExisting && all.nullSeparated);
    EXPECT_EQ(all.filesFrom, "list");
    EXPECT_TRUE(all.sources.empty());
    EXPECT_EQ(Convert({"--jobs=1", "--null", "--recursive", "--files-from=-"}).jobs, 1);
    ConvertOptions piped = Convert({"--from", "jpeg", "-", "-o", "-"});
    EXPECT_EQ(piped.stdinExtension, ".jpg");
    EXPECT_EQ(piped.sources, (std::vector<std::string>{"-"}));
    EXPECT_EQ(*piped.output, "-");
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"-j", "0", "a.bmp"},
             {"-j", "x", "a.bmp"},
             {"-r1", "a.bmp"},
             {"--skip-existing=yes", "a.bmp"},
             {"--files-from", ""},
             {"-", "-o", "x.jpg"},
             {"--from", "bmp", "a.bmp"},
             {"--from", "xcf", "-", "-o", "-"},
             {"--from", "bmp", "-", "--files-from", "list", "-o", "-"},
             {"--from", "bmp", "-"},
             {"--json", "a.bmp", "-o", "-"},
             {"-0", "a.bmp"},
         })
        EXPECT_THROW(Convert(bad), UsageError) << bad[0] << " " << bad[1];
}

TEST(CliOptions, CommandsHelpAndVersion) {
    EXPECT_EQ(Parse({"--help"}).command, CommandLine::Help);
    EXPECT_EQ(Parse({"convert", "-q", "5", "--help"}).command, CommandLine::Help);
    EXPECT_EQ(Parse({"--version"}).command, CommandLine::Version);
    CommandLine info = Parse({"info", "x.bmp"});
    EXPECT_EQ(info.command, CommandLine::Info);
    EXPECT_EQ(info.infoPath, "x.bmp");
}

TEST(CliOptions, RefusesWhatItCannotActOn) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"resize", "a.bmp"},
        {"info"},
        {"info", "a.bmp", "b.bmp"},
        {"convert"},
        {"convert", "-q", "101", "a.bmp"},
        {"convert", "-q", "5x", "a.bmp"},
        {"convert", "--lighten", "15", "a.bmp"},
        {"convert", "--darken", "60", "a.bmp"},
        {"convert", "--rotate", "45", "a.bmp"},
        {"convert", "--to", "gif", "a.bmp"},
        {"convert", "a.bmp", "-o"},
        {"convert", "--caption", "x", "a.bmp"},
        {"convert", "--at", "1,2", "--caption", "x", "a.bmp"},
        {"convert", "--caption", "x", "--at", "1;2", "a.bmp"},
        {"convert", "--caption", "x", "--at", "1,2", "--color", "12345g", "a.bmp"},
        {"convert", "--caption", "x", "--at", "1,2", "--size", "0", "a.bmp"},
        {"convert", "--to", "ico", "--invert", "a.bmp"},
        {"convert", "--sharpen", "a.bmp"},
        {"convert", "--max-size", "0", "a.bmp"},
        {"convert", "--max-size", "1.5M", "a.bmp"},
        {"convert", "--max-size", "12KiBs", "a.bmp"},
        {"convert", "--max-size", "9999999999G", "a.bmp"},
        {"convert", "--max-size", "1K", "-q", "80", "a.bmp"},
        {"convert", "--max-size", "1K", "--to", "bmp", "a.bmp"},
        {"convert", "--lossless", "--to", "png", "a.bmp"},
        {"convert", "--to", "webp", "--lossless", "-q", "80", "a.bmp"},
    };
    for (const auto& args : bad) {
        std::string line;
        for (const auto& arg : args) line += arg + " ";
        EXPECT_THROW(Parse(args), UsageError) << line;
    }
}

TEST(CliOutputPlan, WritesBesideEachSourceWithTheNewExtension) {
    ConvertOptions options = Convert({"dir.v2/photo.final.bmp", "noext", ".hidden"});
    std::vector<PlannedOutput> plan = PlanOutputs(options);
    EXPECT_EQ(plan[0].output, "dir.v2/photo.final.jpg");
    EXPECT_EQ(plan[1].output, "noext.jpg");
    EXPECT_EQ(plan[2].output, ".hidden.jpg");
    options.kind = OutputKind::Icon;
    EXPECT_EQ(PlanOutputs(options)[0].output, "dir.v2/photo.final.ico");
    EXPECT_EQ(PathStem("a/b.c/d"), "d");
}

TEST(CliOutputPlan, OutputPathIsUsedAsGivenOrAsAFolder) {
    std::string folder = TempDir();
    EXPECT_EQ(PlanOutputs(Convert({"-o", folder + "/out", "a.bmp"}))[0].output, folder + "/out");
    std::vector<PlannedOutput> plan = PlanOutputs(Convert({"-o", folder, "x/a.bmp", "y/b.jpg"}));
    EXPECT_EQ(plan[0].output, folder + "/a.jpg");
    EXPECT_EQ(plan[1].output, folder + "/b.jpg");
    EXPECT_THROW(PlanOutputs(Convert({"-o", folder + "/missing", "a.bmp", "b.bmp"})), UsageError);
}

TEST(CliOutputPlan, RefusesToReplaceTheSourceOrAnEarlierOutput) {
    std::string folder = TempDir();
    std::ofstream(folder + "/a.bmp") << "BM";
    // The same file under another spelling is still the source.
    std::vector<PlannedOutput> plan =
        PlanOutputs(Convert({"--to", "bmp", folder + "/a.bmp", "-o", folder + "/./a.bmp"}));
    EXPECT_NE(plan[0].refusal.find("would replace the source"), std::string::npos);
    plan = PlanOutputs(Convert({"--to", "bmp", folder + "/a.bmp"}));
    EXPECT_FALSE(plan[0].refusal.empty());

    plan = PlanOutputs(Convert({"-o", folder, "x/a.bmp", "y/a.bmp", "z/b.bmp"}));
    EXPECT_TRUE(plan[0].refusal.empty());
    EXPECT_NE(plan[1].refusal.find("earlier SOURCE"), std::string::npos);
    EXPECT_TRUE(plan[2].refusal.empty());
}

TEST(CliProgress, OneLinePerFileOrABarOnATerminal) {
    std::ostringstream lines;
    Progress byLine(lines, 2, false);
    byLine.Begin("a.bmp");
    byLine.Finished("a.bmp");
    byLine.Written("a.bmp", "a.jpg");
    byLine.Begin("b.bmp");
    byLine.Finished("b.bmp");
    byLine.Failed("b.bmp", "Bitmap image is not valid");
    byLine.Finish();
    EXPECT_EQ(lines.str(), "[1/2] a.bmp -> a.jpg\nb.bmp: Bitmap image is not valid\n");

    std::ostringstream bar;
    Progress byBar(bar, 2, true);
    byBar.Begin("a.bmp");
    byBar.Finished("a.bmp");
    byBar.Failed("a.bmp", "bad");
    byBar.Finished("b.bmp");
    byBar.Written("b.bmp", "b.jpg");
    byBar.Finish();
    EXPECT_NE(bar.str().find("\r\033[K"
                             "a.bmp: bad\n"),
              std::string::npos);  // the failure clears the bar first
    EXPECT_NE(bar.str().find("] 2/2 b.bmp\n"), std::string::npos);

    std::ostringstream single;
    Progress one(single, 1, true);
    one.Begin("a.bmp");
    one.Written("a.bmp", "a.jpg");
    one.Finish();
    EXPECT_EQ(single.str(), "");
}
