#include "ui/TForm.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>

#include "ui/IconToQt.h"
#include "ui/KeyboardMode.h"
#include "widgets/QtColor.h"
#include "widgets/TFancyButton.h"

// The resources live in a static library, whose registration the linker may otherwise drop.
// (Outside any namespace: the registration function is a global one.)
static void EnsureResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

TForm::TForm(const QString& caption, int clientWidth, int clientHeight, TColor color)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      client_(new QWidget(this)) {
    EnsureResources();
    setWindowTitle(caption);
    setWindowIcon(SharedIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    client_->setFixedSize(clientWidth, clientHeight);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    // The frame follows the client area (and the menu bar, where there is one); no resizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QIcon TForm::SharedIcon() {
    EnsureResources();
    // 32 x 32 as stored, and 64 x 64 for dense screens.
    static const QIcon icon = IconAtOneAndTwice(QImage(QStringLiteral(":/window-icon.ico")));
    return icon;
}

void TForm::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect desktop = screen->availableGeometry();
            move(desktop.left() + (desktop.width() - width()) / 2,
                 desktop.top() + (desktop.height() - height()) / 2);
        }
    }
    QMainWindow::setVisible(visible);
}

void TForm::SetDialogKeys(TFancyButton* returnButton) {
    escapeHides_ = true;
    returnButton_ = returnButton;
}

// Keys reach the window when the focused control leaves them (edits and pick lists do).
void TForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (escapeHides_ && plain && event->key() == Qt::Key_Escape) return hide();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (returnButton_ && plain && enter && !event->isAutoRepeat()) return returnButton_->Press();
    QMainWindow::keyPressEvent(event);
}

void TForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Shown by a click, it starts as the mouse left it: marks only after a Tab.
    setAttribute(Qt::WA_KeyboardFocusChange, LastPressWasKey());
}

void TForm::ShowInFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
