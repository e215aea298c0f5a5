// Files dropped on the main window, through the toolkit's own drag-and-drop events sent to the
// control under the pointer, as the window system hands them over. Run offscreen by ctest and on
// a virtual X server by startup_argument_test.sh, where the picture is checked on the screen.
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <cstdlib>

#include "tests/TestSupport.h"
#include "tests/ui/UiFixtures.h"
#include "ui/FileDrop.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "widgets/TXPEdit.h"

namespace {

constexpr std::uint32_t Magenta = 0xFF00FF, Cyan = 0x00FFFF;

std::unique_ptr<QMimeData> FileList(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    data->setText(paths.join('\n'));
    return data;
}

class FileDropTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        dir = TempDir();
        picture = dir + "/halves.bmp";
        // Left half magenta, right half cyan, small enough to keep its size in the box.
        WriteBmp24(picture, 120, 80, [](int x, int) { return x < 60 ? Magenta : Cyan; });
        Form1->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    }

    // Enter, move and drop at `at` (window coordinates) on whatever control lies there; the toolkit
    // hands the events up to the control that takes drops. True when the drop was taken.
    bool DragAndDrop(const QMimeData& data, QPoint at) {
        QWidget* under = Form1->childAt(at);
        if (!under) under = Form1;
        const QPointF local = under->mapFrom(Form1, at);
        QDragEnterEvent enter(local.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(under, &enter);
        if (!enter.isAccepted()) return false;
        QDragMoveEvent move(local.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(under, &move);
        QDropEvent drop(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(under, &drop);
        QTest::qWait(50);  // the file opens after the drop has been answered
        return drop.isAccepted();
    }

    QPoint OverUpperBox() const { return Form1->Image1->mapTo(Form1, QPoint(213, 224)); }
    QPoint OverSourceEdit() const { return Form1->XPEdit1->mapTo(Form1, QPoint(100, 10)); }

    // The screen's pixel at a point of the upper box (the real screen under X).
    std::uint32_t ScreenPixel(QPoint inBox) const {
        const QPoint at = Form1->Image1->mapToGlobal(inBox);
        QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
        return shot.isNull() ? 0xFFFFFFFFu : PixelOf(shot, 0, 0);
    }

    std::string dir, picture;
};

TEST_F(FileDropTest, APictureDroppedOnTheWindowOpensLikeTheBrowseButton) {
    for (QPoint at : {OverUpperBox(), OverSourceEdit()}) {
        Form1->XPEdit1->clear();
        ASSERT_TRUE(DragAndDrop(*FileList({QString::fromStdString(picture)}), at));
        // Also over the source edit: the drop opens the file instead of typing its address.
        EXPECT_EQ(Form1->XPEdit1->text().toStdString(), picture);
    }
    EXPECT_EQ(Form1->Image1->Picture().Width(), 120);
    Form1->Image1->repaint();
    QImage box = Form1->Image1->grab().toImage();
    EXPECT_EQ(PixelOf(box, 213 - 30, 224), Magenta);
    EXPECT_EQ(PixelOf(box, 213 + 30, 224), Cyan);
    if (QGuiApplication::platformName() == "xcb") {
        QTest::qWait(200);
        EXPECT_EQ(ScreenPixel({213 - 30, 224}), Magenta);
        EXPECT_EQ(ScreenPixel({213 + 30, 224}), Cyan);
        if (const char* keep = std::getenv("BRELVIK_DROP_SHOT"); keep && *keep)
            QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(keep));
    }
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(FileDropTest, AFileOfAnUnknownKindGivesTheUnknownExtensionBox) {
    const std::string text = dir + "/notes.txt";
    WriteBytes(text, 10);
    ASSERT_TRUE(DragAndDrop(*FileList({QString::fromStdString(text)}), OverUpperBox()));
    EXPECT_EQ(Form1->XPEdit1->text().toStdString(), text);
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_EQ(dialogs.errors[0], "Unknown picture file extension (.txt)");
}

TEST_F(FileDropTest, SeveralFilesOrNoLocalFileAreRefused) {
    const QString bmp = QString::fromStdString(picture);
    EXPECT_FALSE(DragAndDrop(*FileList({bmp, bmp}), OverUpperBox()));
    QMimeData remote;
    remote.setUrls({QUrl("https://example.org/a.bmp")});
    EXPECT_FALSE(DragAndDrop(remote, OverUpperBox()));
    QMimeData text;
    text.setText(bmp);
    EXPECT_FALSE(DragAndDrop(text, OverUpperBox()));
    EXPECT_TRUE(Form1->XPEdit1->text().isEmpty());
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(DroppedFile, GivesTheFileSystemNameOfOneLocalFile) {
    EXPECT_EQ(DroppedFile(FileList({"/tmp/с пробелом/фото.bmp"}).get()), "/tmp/с пробелом/фото.bmp");
    EXPECT_EQ(DroppedFile(nullptr), std::nullopt);
}

}  // namespace
