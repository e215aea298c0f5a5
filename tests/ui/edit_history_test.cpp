#include <QAction>
#include <random>
#include <stdexcept>

#include "core/ApplyEdit.h"
#include "core/TBitmap.h"
#include "core/TPicture.h"
#include "formats/PictureLoading.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/EditHistory.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit6.h"
#include "widgets/TFancyButton.h"
#include "widgets/TXPComboBox.h"
#include "widgets/TXPEdit.h"

namespace {

bool SamePixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Surface().ReadPixel(x, y) != b.Surface().ReadPixel(x, y)) return false;
    return true;
}

// Makes one random edit as the user would, through the menu or a dialog; returns it as a value.
PictureEdit RunRandomEdit(std::mt19937& random) {
    switch (random() % 5) {
        case 0:
            Form1->N2->trigger();
            return PictureEdit::Inversion();
        case 1: {
            const int index = 1 + int(random() % 5);  // "10" .. "50"
            Form2->XPComboBox1->setCurrentIndex(index);
            emit Form2->FancyButton1->clicked();
            return PictureEdit::BrightnessStep(10 * index);
        }
        case 2: {
            const int index = int(random() % 5);  // "-10" .. "-50"
            Form3->XPComboBox1->setCurrentIndex(index);
            emit Form3->FancyButton2->clicked();
            return PictureEdit::BrightnessStep(-10 * (index + 1));
        }
        case 3:
            if (random() % 2) {
                Form1->N901->trigger();
                return PictureEdit::Rotation(90);
            }
            Form1->N101->trigger();
            return PictureEdit::Rotation(180);
        default: {
            const FontChoice font = Form6->FontDialog1.Font;
            Form6->XPEdit1->setText("Ab");
            Form6->XPComboBox1->setCurrentIndex(0);
            Form6->XPComboBox2->setCurrentIndex(0);
            emit Form6->FancyButton1->clicked();
            return PictureEdit::CaptionAt("Ab", 10, 10, font.name, font.sizePoints, font.color);
        }
    }
}

using EditHistoryTest = FormsTest;

}  // namespace

// Random runs of edits, undos and redos in the window, on pictures with odd and even sides: the
// picture always equals the edits still in force replayed on the opened file, and the menu items
// are enabled exactly when there is something to undo or redo (at most 20 steps back).
TEST_F(EditHistoryTest, UndoAndRedoAlwaysLeaveTheReplayOfTheEditsInForce) {
    std::mt19937 random(20261209);
    const std::string dir = TempDir();
    for (const auto& [width, height] : {std::pair{33, 21}, std::pair{32, 20}, std::pair{31, 24}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const std::string path = dir + "/" + std::to_string(width) + ".bmp";
        WriteBmp24(path, width, height, [&](int, int) { return std::uint32_t(random() & 0xFFFFFF); });
        Form1->OpenSourcePicture(path);
        std::vector<PictureEdit> inForce, undone;
        std::size_t undoable = 0;
        for (int turn = 0; turn < 80; ++turn) {
            SCOPED_TRACE("turn " + std::to_string(turn));
            const unsigned choice = random() % 4;
            if (choice == 0) {
                Form1->UndoItem->trigger();
                if (undoable > 0) {
                    undone.push_back(inForce.back());
                    inForce.pop_back();
                    --undoable;
                }
            } else if (choice == 1) {
                Form1->RedoItem->trigger();
                if (!undone.empty()) {
                    inForce.push_back(undone.back());
                    undone.pop_back();
                    ++undoable;
                }
            } else {
                inForce.push_back(RunRandomEdit(random));
                undone.clear();
                undoable = std::min<std::size_t>(undoable + 1, EditHistory::DefaultMaxSteps);
            }
            ASSERT_TRUE(dialogs.errors.empty()) << dialogs.errors.front();
            TPicture replay;
            ReadFromFile(replay, path);
            for (const PictureEdit& edit : inForce) ApplyEdit(replay, edit);
            ASSERT_TRUE(SamePixels(Form1->Image1->Picture().AsBitmap(), replay.AsBitmap()));
            ASSERT_EQ(Form1->UndoItem->isEnabled(), undoable > 0);
            ASSERT_EQ(Form1->RedoItem->isEnabled(), !undone.empty());
        }
    }
    // Opening another picture starts a new history.
    EXPECT_TRUE(Form1->UndoItem->isEnabled() || Form1->RedoItem->isEnabled());
    Form1->OpenSourcePicture(dir + "/32.bmp");
    EXPECT_FALSE(Form1->UndoItem->isEnabled());
    EXPECT_FALSE(Form1->RedoItem->isEnabled());
}

// The history keeps at most its number of steps and its bytes of pixels, dropping the oldest; a
// step shares the raster's pixels until the raster is written.
TEST(EditHistoryBound, KeepsTheNewestStepsWithinBothBounds) {
    constexpr int Side = 10;  // 32 bytes a row, 320 a raster
    struct Case {
        std::size_t maxSteps;
        std::uint64_t maxBytes;
        int edits;
        std::size_t kept;
    } cases[] = {{20, 1u << 30, 25, 20}, {20, 3 * 320, 6, 3}, {4, 3 * 320, 6, 3}, {2, 1u << 30, 6, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.maxSteps) + " steps, " + std::to_string(c.maxBytes) + " bytes");
        EditHistory history(c.maxSteps, c.maxBytes);
        TPicture picture;
        TBitmap& working = picture.AsBitmap();
        working.SetRasterFormat(rf24Bit);
        working.SetWidth(Side);
        working.SetHeight(Side);
        for (int edit = 0; edit < c.edits; ++edit) {
            std::unique_ptr<TBitmap> before = EditHistory::Snapshot(working);
            EXPECT_EQ(before->Image(), working.Image());
            working.Row(0)[0] = std::uint8_t(edit + 1);  // the edit
            history.Record(std::move(before));
        }
        EXPECT_EQ(history.Steps(), c.kept);
        EXPECT_LE(history.Bytes(), c.maxBytes);
        for (std::size_t undo = 0; undo < c.kept; ++undo) history.Undo(picture);
        EXPECT_FALSE(history.CanUndo());
        EXPECT_EQ(working.Row(0)[0], c.edits - int(c.kept));  // the oldest kept state
        for (std::size_t redo = 0; redo < c.kept; ++redo) history.Redo(picture);
        EXPECT_EQ(working.Row(0)[0], c.edits);
        EXPECT_EQ(history.Steps(), c.kept);
    }
}

// A caption is kept as the rows it writes: at the picture's edges, past them, and with marks
// stacked above its character cell, undo gives back the very pixels and redo the caption.
TEST_F(EditHistoryTest, UndoOfACaptionRestoresEveryPixelAtTheEdgesAndOverhangs) {
    const std::string path = TempDir() + "/caption.bmp";
    WriteBmp24(path, 40, 30,
               [](int x, int y) { return std::uint32_t(x * 0x10307 + y * 0x2050B) & 0xFFFFFF; });
    struct Case {
        const char* text;
        int x, y, size;
    } cases[] = {{"Ab", 10, -9, 12},  {"gjpq", 5, 21, 14}, {"Wg", -8, 4, 20},
                 {"Ab", 100, 100, 8}, {"Ab", 2, 30, 12},   {"\u1ED6\u0303\u0303", 3, 10, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.x) + ", " + std::to_string(c.y));
        Form1->OpenSourcePicture(path);
        const PictureEdit caption = PictureEdit::CaptionAt(c.text, c.x, c.y, "DejaVu Sans", c.size, clRed);
        TPicture original, replay;
        ReadFromFile(original, path);
        ReadFromFile(replay, path);
        ApplyEdit(replay, caption);
        Form1->EditPicture(caption);
        ASSERT_TRUE(SamePixels(Form1->Image1->Picture().AsBitmap(), replay.AsBitmap()));
        Form1->UndoItemClick();
        EXPECT_TRUE(SamePixels(Form1->Image1->Picture().AsBitmap(), original.AsBitmap()));
        Form1->RedoItemClick();
        EXPECT_TRUE(SamePixels(Form1->Image1->Picture().AsBitmap(), replay.AsBitmap()));
    }
}

// An undo of kept rows that cannot be made (the raster no longer has their layout) leaves the
// picture and both stacks as they were; once it can, undo and redo exchange the rows.
TEST(EditHistoryRows, AFailedExchangeKeepsBothStacks) {
    EditHistory history;
    TPicture picture;
    TBitmap& working = picture.AsBitmap();
    working.SetRasterFormat(rf24Bit);
    working.SetWidth(4);
    working.SetHeight(3);
    working.Row(1)[0] = 5;
    history.RecordRows(RowBand(working, 1, 2));
    working.Row(1)[0] = 9;  // the edit
    EXPECT_EQ(history.Bytes(), 12u);
    working.SetWidth(5);
    EXPECT_THROW(history.Undo(picture), std::logic_error);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    working.SetWidth(4);
    history.Undo(picture);
    EXPECT_EQ(working.Row(1)[0], 5);
    EXPECT_FALSE(history.CanUndo());
    history.Redo(picture);
    EXPECT_EQ(working.Row(1)[0], 9);
    EXPECT_TRUE(history.CanUndo());
}
