#pragma once
#include <QMainWindow>

#include "core/TColor.h"

// A window of the program: fixed client size, frame with system menu and minimise button only,
// centred on the desktop when first shown, the shared window icon and "MS Sans Serif" 11 pixels.
// Controls are placed on Client() in client coordinates; closing hides the window.
class TFancyButton;

class TForm : public QMainWindow {
    Q_OBJECT
public:
    TForm(const QString& caption, int clientWidth, int clientHeight, TColor color);

    QWidget* Client() const { return client_; }

    // The window icon shared by every window.
    static QIcon SharedIcon();

    // Centres the window on the desktop before it is shown the first time.
    void setVisible(bool visible) override;
    // Shows the window; one already shown (perhaps behind another window, or minimised) comes to
    // the front and takes the focus, so a menu command that shows it is never lost.
    void ShowInFront();

    // The keys of a small window: Escape hides it, and Return clicks `returnButton` (if any) unless
    // a focused control takes the key itself (a button clicks itself).
    void SetDialogKeys(TFancyButton* returnButton);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* client_;
    bool placed_ = false;
    bool escapeHides_ = false;
    TFancyButton* returnButton_ = nullptr;
};
