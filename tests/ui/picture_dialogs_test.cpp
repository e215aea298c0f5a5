#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/TBitmap.h"
#include "formats/JpegRegistration.h"
#include "formats/TJPEGImage.h"
#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/PictureFilter.h"
#include "ui/TImage.h"
#include "ui/TPicturePreviewArea.h"
#include "ui/TPreviewForm.h"
#include "ui/TSavePictureDialog.h"
#include "ui/TSilentPaintPanel.h"

namespace {

const char* const SaveFilter = "JPEG Image File (*.jpg)|*.jpg|ICO image File (*.ico)|*.ico";

// The real dialogs, with error boxes recorded instead of shown.
class RecordingErrors : public DialogHandler {
public:
    std::vector<std::string> errors;
    void ShowError(const std::string&, const std::string& text) override { errors.push_back(text); }
};

// Runs `act` on the file dialog once it is open; the dialog is cancelled afterwards unless `act`
// closed it.
void WhileOpen(std::function<void(QFileDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no file dialog open";
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

// Selects `path` in the dialog's file list the way a click does (it becomes the current item).
void SelectInList(QFileDialog& dialog, const std::string& path) {
    auto* list = dialog.findChild<QListView*>("listView");
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_TRUE(list && model);
    const QModelIndex index = model->index(QString::fromStdString(path));
    ASSERT_TRUE(index.isValid()) << path;
    list->setCurrentIndex(index);
}

class PictureDialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterJpegFormats(); }
    void SetUp() override {
        SetDialogHandler(&handler);
        dir = TempDir();
        save.Filter = SaveFilter;
        open.Filter = "Bitmaps (*.bmp)|*.bmp";
    }
    void TearDown() override {
        SetDialogHandler(nullptr);
        SetMonitorSizeQuery({});
    }

    std::string Bmp(const std::string& name, int w, int h) {
        const std::string path = dir + "/" + name;
        WriteBmp24(path, w, h, [](int x, int) { return x % 2 ? 0xFF00FFu : 0x00FF00u; });
        return path;
    }

    RecordingErrors handler;
    TOpenPictureDialog open;
    TSavePictureDialog save;
    std::string dir;
};

TEST_F(PictureDialogsTest, FilterIndexReadsThePickedTypeWhileOpenAndTheConfirmedOneAfter) {
    EXPECT_EQ(save.FilterIndex(), 1);
    WhileOpen([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList({"JPEG Image File (*.jpg)", "ICO image File (*.ico)"}));
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        EXPECT_EQ(types->currentText(), "ICO image File (*.ico)");
        EXPECT_EQ(save.FilterIndex(), 2);
        EXPECT_EQ(save.LiveFilterIndex(), 2);
    });
    EXPECT_FALSE(save.RunDialog());
    EXPECT_EQ(save.FilterIndex(), 1);

    // Confirmed, the type sticks and the next run starts with it.
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        QTest::keyClick(dialog.findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("icon");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    ASSERT_TRUE(save.RunDialog());
    EXPECT_EQ(save.FilterIndex(), 2);
    WhileOpen([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.selectedNameFilter(), "ICO image File (*.ico)");
        EXPECT_EQ(save.FilterIndex(), 2);
    });
    EXPECT_FALSE(save.RunDialog());
}

TEST_F(PictureDialogsTest, BareNameComesBackAsAFullPathWithoutExtension) {
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("photo");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    ASSERT_TRUE(save.RunDialog());
    EXPECT_EQ(save.FileName(), dir + "/photo");
    EXPECT_EQ(save.FilterIndex(), 1);

    // The open dialog accepts a name that does not exist as well.
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("missing.bmp");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    ASSERT_TRUE(open.RunDialog());
    EXPECT_EQ(open.FileName(), dir + "/missing.bmp");
}

TEST_F(PictureDialogsTest, SelectedPictureShowsItsSizeAndAnythingElseShowsNone) {
    const std::string picture = Bmp("big.bmp", 640, 480);
    const std::string unknown = dir + "/notes.xyz";
    WriteBytes(unknown, 100);
    const std::string folder = dir + "/folder";
    std::filesystem::create_directory(folder);
    WhileOpen([&](QFileDialog& dialog) {
        TPicturePreviewArea* area = open.PreviewArea();
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, picture);
        EXPECT_EQ(area->PictureLabel()->text(), " (640x480)");
        EXPECT_TRUE(area->PreviewButton()->isEnabled());
        EXPECT_EQ(area->PaintPanel()->Caption(), "");
        EXPECT_EQ(open.FileName(), picture);  // read from the open dialog
        EXPECT_EQ(open.LastPreviewed(), picture);
        for (const std::string& other : {folder, unknown}) {
            SelectInList(dialog, other);
            EXPECT_EQ(area->PictureLabel()->text(), "Picture:") << other;
            EXPECT_EQ(area->PaintPanel()->Caption(), "(None)") << other;
            EXPECT_FALSE(area->PreviewButton()->isEnabled()) << other;
            EXPECT_EQ(area->PaintBox()->Picture().HeldGraphic(), nullptr) << other;
        }
        SelectInList(dialog, picture);
    });
    EXPECT_FALSE(open.RunDialog());
    EXPECT_TRUE(handler.errors.empty());

    // Reopened after the cancel, with no name: no picture and nothing previewed.
    WhileOpen([&](QFileDialog&) {
        TPicturePreviewArea* area = open.PreviewArea();
        EXPECT_EQ(area->PaintBox()->Picture().HeldGraphic(), nullptr);
        EXPECT_EQ(area->PaintPanel()->Caption(), "(None)");
        EXPECT_EQ(open.LastPreviewed(), "");
        EXPECT_EQ(area->PictureLabel()->text(), "Picture:");
        EXPECT_FALSE(area->PreviewButton()->isEnabled());
    });
    EXPECT_FALSE(open.RunDialog());
}

TEST_F(PictureDialogsTest, NameCompletionListClosesWithTheDialog) {
    Bmp("photo1.bmp", 3, 3);
    Bmp("photo2.bmp", 3, 3);
    QAbstractItemView* completions = nullptr;
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::qWait(300);  // the folder is listed in the background
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(name && name->completer());
        name->setFocus();
        QTest::keyClicks(name, "photo");
        for (int i = 0; i < 50 && !name->completer()->popup()->isVisible(); ++i) QTest::qWait(20);
        completions = name->completer()->popup();
        ASSERT_TRUE(completions->isVisible()) << "no completion list appeared";
        QTest::keyClicks(name, "1.bmp");
        QTest::keyClick(completions, Qt::Key_Return);
    });
    open.RunDialog();
    ASSERT_NE(completions, nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(completions->isVisible());
}

TEST_F(PictureDialogsTest, PreviewAreaSitsRightOfTheDialogsOwnControls) {
    WhileOpen([&](QFileDialog& dialog) {
        TPicturePreviewArea* area = open.PreviewArea();
        // The file views' splitter holds the dialog's own controls that reach furthest right.
        auto* views = dialog.findChild<QWidget*>("splitter");
        ASSERT_NE(views, nullptr);
        EXPECT_GE(area->x(), views->mapTo(&dialog, QPoint(views->width(), 0)).x());
        EXPECT_LE(area->x() + area->width(), dialog.width());
        EXPECT_EQ(area->width(), TPicturePreviewArea::PanelWidth);
        const QWidget* panel = area->PaintPanel();
        const QToolButton* button = area->PreviewButton();
        EXPECT_EQ(button->x() + button->width(), panel->x() + panel->width() - 2);
        EXPECT_EQ(button->size(), QSize(23, 22));
        EXPECT_EQ(button->toolTip(), "Preview");
        EXPECT_FALSE(button->icon().isNull());
    });
    EXPECT_FALSE(open.RunDialog());
}

TEST_F(PictureDialogsTest, SameNameTwiceInARowIsLoadedOnce) {
    const std::string picture = Bmp("a.bmp", 640, 480);
    const std::string other = Bmp("b.bmp", 3, 3);
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, picture);
        Bmp("a.bmp", 10, 10);  // changed on disk; a second load would show it
        emit dialog.currentChanged(QString::fromStdString(picture));
        EXPECT_EQ(open.PreviewArea()->PictureLabel()->text(), " (640x480)");
        SelectInList(dialog, other);
        SelectInList(dialog, picture);
        EXPECT_EQ(open.PreviewArea()->PictureLabel()->text(), " (10x10)");
    });
    EXPECT_FALSE(open.RunDialog());
}

// A JPEG file of w x h made by our own encoder.
std::vector<char> JpegBytes(const std::string& path, int w, int h) {
    TBitmap raster;
    raster.SetRasterFormat(rf24Bit);
    raster.SetWidth(w);
    raster.SetHeight(h);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&raster);
    jpeg.Encode(DefaultJpegWriteSettings());
    jpeg.WriteToFile(path);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The preview follows the selection, the typed name and the chosen type, is empty without a
// picture of that type, shows the confirmed name again on reopening, and its copy of the picture
// is freed when the dialog closes.
TEST_F(PictureDialogsTest, PreviewFollowsSelectionTypingAndTypeAndIsFreedOnClosing) {
    const std::string first = dir + "/first.jpg", second = dir + "/second.jpg";
    JpegBytes(first, 64, 48);
    JpegBytes(second, 32, 16);
    TPicturePreviewArea* area = nullptr;
    auto expectShown = [&](const char* label, bool picture, const std::string& step) {
        EXPECT_EQ(area->PictureLabel()->text(), label) << step;
        EXPECT_EQ(area->PreviewButton()->isEnabled(), picture) << step;
        EXPECT_EQ(area->PaintBox()->Picture().HeldGraphic() != nullptr, picture) << step;
    };
    WhileOpen([&](QFileDialog& dialog) {
        area = save.PreviewArea();
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, first);
        expectShown(" (64x48)", true, "selected");
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        // Typing goes on in the focused name box, which the list's selection then leaves alone;
        // without a focus here, the selection is dropped first instead.
        dialog.findChild<QListView*>("listView")->clearSelection();
        name->setText("second.jpg");
        expectShown(" (32x16)", true, "typed");
        name->setText("nothing");
        expectShown("Picture:", false, "typed a name of no file");
        name->setText("first.jpg");
        QTest::keyClick(dialog.findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);
        expectShown("Picture:", false, "switched to ICO");
        QTest::keyClick(dialog.findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Up);
        dialog.findChild<QListView*>("listView")->clearSelection();
        name->setText("second.jpg");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    ASSERT_TRUE(save.RunDialog());
    expectShown("Picture:", false, "closed");
    WhileOpen([&](QFileDialog&) { expectShown(" (32x16)", true, "reopened with the confirmed name"); });
    EXPECT_FALSE(save.RunDialog());
}

TEST_F(PictureDialogsTest, JpegSizeComesFromItsHeaderBeforeDecoding) {
    const std::string path = dir + "/shot.jpg";
    JpegBytes(path, 64, 48);
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, path);
        EXPECT_EQ(save.PreviewArea()->PictureLabel()->text(), " (64x48)");
        auto* jpeg = dynamic_cast<TJPEGImage*>(save.PreviewArea()->PaintBox()->Picture().HeldGraphic());
        ASSERT_NE(jpeg, nullptr);
        EXPECT_EQ(jpeg->Decoded(), nullptr);
        save.PreviewArea()->PaintBox()->grab();  // painting decodes it
        EXPECT_NE(jpeg->Decoded(), nullptr);
    });
    EXPECT_FALSE(save.RunDialog());
}

// Without its quantisation tables a JPEG's header still reads, but decoding fails.
void WriteJpegWithoutTables(const std::string& path) {
    std::vector<char> bytes = JpegBytes(path, 64, 48);
    std::vector<char> cut(bytes.begin(), bytes.begin() + 2);
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && std::uint8_t(bytes[at]) == 0xFF) {
        const auto marker = std::uint8_t(bytes[at + 1]);
        const std::size_t length =
            std::size_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint8_t(bytes[at + 3]);
        if (marker == 0xDA) break;  // the scan: keep the rest as it is
        if (marker != 0xDB) cut.insert(cut.end(), bytes.begin() + at, bytes.begin() + at + 2 + length);
        at += 2 + length;
    }
    cut.insert(cut.end(), bytes.begin() + at, bytes.end());
    std::ofstream(path, std::ios::binary).write(cut.data(), std::streamsize(cut.size()));
}

TEST_F(PictureDialogsTest, DamagedPictureShowsInvalidImageWithoutAMessage) {
    const std::string path = dir + "/damaged.jpg";
    WriteJpegWithoutTables(path);
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, path);
        TPicturePreviewArea* area = open.PreviewArea();
        EXPECT_EQ(area->PictureLabel()->text(), " (64x48)");
        area->PaintBox()->grab();
        EXPECT_EQ(area->PaintPanel()->Caption(), "Invalid image");
        QApplication::processEvents();  // a deferred error box would open here
    });
    EXPECT_FALSE(open.RunDialog());
    EXPECT_TRUE(handler.errors.empty());
}

TEST_F(PictureDialogsTest, PreviewWindowFitsThePictureAndEscClosesIt) {
    SetMonitorSizeQuery([](const QWidget&) { return QSize(1024, 768); });
    const std::string path = Bmp("wide.bmp", 200, 100);
    bool seen = false, closedByEsc = false;
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(dir));
        SelectInList(dialog, path);
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
            if (!form) return;
            seen = true;
            EXPECT_EQ(form->objectName(), "PreviewForm");
            EXPECT_EQ(form->windowTitle(), "Preview");
            // The panel's line and border (1 + 5 each side) and 10 pixels round the picture.
            EXPECT_EQ(form->size(), QSize(200 + 12 + 10, 100 + 12 + 10));
            EXPECT_EQ(form->Image()->Picture().Width(), 200);
            QTest::keyClick(form, Qt::Key_Escape);
            closedByEsc = !form->isVisible();
            if (!closedByEsc) form->close();
        });
        open.PreviewArea()->PreviewButton()->click();
    });
    EXPECT_FALSE(open.RunDialog());
    EXPECT_TRUE(seen);
    EXPECT_TRUE(closedByEsc);
}

TEST(PreviewForm, LargePictureIsLimitedToThreeQuartersOfTheMonitor) {
    SetMonitorSizeQuery([](const QWidget&) { return QSize(1024, 768); });
    TPicture picture;
    picture.AsBitmap().SetWidth(4000);
    picture.AsBitmap().SetHeight(3000);
    TPreviewForm form(picture);
    EXPECT_EQ(form.size(), QSize(768, 576));
    SetMonitorSizeQuery({});
    EXPECT_EQ(PreviewClientSize({300, 200}, {288, 188}, {0, 0}, {1024, 768}), QSize(300, 200));
}

TEST(PictureFilter, PairsBecomeQtNameFiltersInTheirOrder) {
    EXPECT_EQ(NameFiltersFromFilter("Bitmaps (*.bmp)|*.bmp"), QStringList{"Bitmaps (*.bmp)"});
    EXPECT_EQ(NameFiltersFromFilter("Pictures|*.png;*.gif|All (*.*)|*.*|dangling"),
              QStringList({"Pictures (*.png *.gif)", "All (*.*)"}));
    EXPECT_TRUE(NameFiltersFromFilter("").isEmpty());
}

// Shown on a real screen by tests/ui/dialog_preview_test.sh, which takes the screenshot: the open
// dialog with a picture selected stays up until the script has its shot. Skipped elsewhere.
TEST_F(PictureDialogsTest, OnScreenForTheScreenshot) {
    const char* shotDir = std::getenv("BRELVIK_DIALOG_SHOT_DIR");
    if (!shotDir) GTEST_SKIP() << "run by dialog_preview_test.sh under a virtual X server";
    const std::string folder = shotDir;
    const std::string path = folder + "/halves.bmp";
    // Left half magenta, right half green.
    WriteBmp24(path, 640, 480, [](int x, int) { return x < 320 ? 0xFF00FFu : 0x00FF00u; });
    WhileOpen([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(folder));
        SelectInList(dialog, path);
        TImage* box = open.PreviewArea()->PaintBox();
        box->repaint();
        QTest::qWait(500);
        const QPoint at = box->mapToGlobal(QPoint(0, 0));
        std::ofstream(folder + "/ready")
            << at.x() << ' ' << at.y() << ' ' << box->width() << ' ' << box->height() << ' '
            << open.PreviewArea()->PictureLabel()->text().toStdString() << '\n';
        for (int i = 0; i < 200 && !std::filesystem::exists(folder + "/done"); ++i) QTest::qWait(100);
    });
    EXPECT_FALSE(open.RunDialog());
}

}  // namespace
