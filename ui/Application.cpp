#include "ui/Application.h"

#include <QFileInfo>
#include <QTimer>

#include "formats/PictureKinds.h"
#include "platform/FontSubstitutes.h"
#include "platform/QtTextEngine.h"
#include "ui/Accessibility.h"
#include "ui/ErrorHandling.h"
#include "ui/Forms.h"
#include "ui/Guarded.h"
#include "ui/InterfaceLanguage.h"
#include "ui/KeyboardMode.h"
#include "ui/TForm.h"
#include "ui/Unit1.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    SetApplicationTitle(QFileInfo(applicationFilePath()).completeBaseName().toStdString());
    setApplicationName(QString::fromStdString(ApplicationTitle()));
    // The compositor matches the windows to the desktop entry (its icon, its name) by this id.
    setDesktopFileName(QStringLiteral("org.brelvik.Brelvik"));
    InstallInterfaceLanguage();
    setWindowIcon(TForm::SharedIcon());
    platform::InstallFontSubstitutes();
    platform::InstallQtTextEngine();
    InstallAccessibility();
    // Only the main window's close ends the program; the others merely hide.
    setQuitOnLastWindowClosed(false);
}

int Application::Run(const std::string& picture) {
    // Before any window: the main window's layout holds a JPEG picture.
    InstallPictureKinds();
    CreateForms();
    KeepSecondaryFormsOverMain();
    Form1->show();
    // From inside the loop, so that an error box for the picture comes over the shown window.
    if (!picture.empty())
        QTimer::singleShot(0, Form1, Guarded([picture] { Form1->OpenSourcePicture(picture); }));
    int code = exec();
    DestroyForms();
    return code;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    if (event->spontaneous()) NoteUserInput(*event);
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
        return false;
    }
}
