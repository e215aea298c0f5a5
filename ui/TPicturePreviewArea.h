#pragma once
#include <QWidget>
#include <string>

class QLabel;
class QToolButton;
class TImage;
class TSilentPaintPanel;

// The area a picture dialog shows on the right of its own controls ("PicturePanel"): the size of
// the selected picture ("PictureLabel"), a button for the larger preview ("PreviewButton"), and the
// picture itself ("PaintBox") on a panel that never fails to paint ("PaintPanel").
class TPicturePreviewArea : public QWidget {
    Q_OBJECT
public:
    explicit TPicturePreviewArea(QWidget* parent = nullptr);

    QLabel* PictureLabel() const { return label_; }
    QToolButton* PreviewButton() const { return button_; }
    TSilentPaintPanel* PaintPanel() const { return paintPanel_; }
    TImage* PaintBox() const { return paintBox_; }
    const std::string& LastPreviewed() const { return lastPreviewed_; }

    // On each opening of the dialog: no picture, "Picture:" and "(None)", nothing previewed yet.
    void PlacePreviewArea();
    // On each selection change: loads a file that exists by its extension and shows its size;
    // anything else (a folder, an unknown or damaged file) shows "Picture:" and "(None)".
    // The same name twice in a row is handled once; an empty name clears the preview. A picture
    // found is decoded for its first paint right after, under the busy pointer.
    void RefreshPreview(const std::string& fileName);
    // When the dialog closes: the picture's copy is freed and the area shows none.
    void ReleasePicture();
    // The larger preview window, modal.
    void ShowFullPreview();

    static constexpr int PanelWidth = 169;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool LoadCandidate(const std::string& fileName);
    void ShowNoPicture();
    void LayOut();

    QLabel* label_;
    QToolButton* button_;
    TSilentPaintPanel* paintPanel_;
    TImage* paintBox_;
    std::string lastPreviewed_;
};
