#pragma once
#include <QDialog>
#include <optional>

#include "ui/DialogSeam.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

// The modal font choice: a face from the installed families (or the face typed), a size in
// points, the style flags and one of the sixteen named colours, with a sample of the result.
class TFontChoiceWindow : public QDialog {
    Q_OBJECT
public:
    TFontChoiceWindow(const FontChoice& current, QWidget* parent = nullptr);

    // What the controls hold now.
    FontChoice Choice() const;

    // Runs the window modally; empty when the user cancels.
    static std::optional<FontChoice> Choose(const FontChoice& current, QWidget* parent);

    // The sixteen colours offered, in their usual order.
    static constexpr int NamedColorCount = 16;

private:
    void BuildFaceColumn();
    void BuildSizeAndStyle();
    void BuildColorList();
    void UpdateSample();
    QLabel* Labelling(const QString& text, QWidget* control);

    FontChoice initial_;
    QLineEdit* faceEdit_;
    QListWidget* familyList_;
    QSpinBox* sizeBox_;
    QCheckBox* bold_;
    QCheckBox* italic_;
    QCheckBox* underline_;
    QCheckBox* strikeOut_;
    QComboBox* colorBox_;
    QLabel* sample_;
};
