// A driver for tests/ui/wayland_start_test.sh, not a test: starts the program as `brelvik PICTURE`
// does and, once the main window is shown by the compositor and holds the picture, writes the
// window's own rendering to the file BRELVIK_GRAB_FILE (after showing the Lighten dialog as well),
// prints the platform and the application id, and ends. It gives up after 30 seconds.
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "core/TPicture.h"
#include "ui/Application.h"
#include "ui/TImage.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "widgets/TXPEdit.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    const char* grabFile = std::getenv("BRELVIK_GRAB_FILE");
    if (!grabFile || argc < 2) {
        std::fprintf(stderr, "usage: BRELVIK_GRAB_FILE=OUT.png wayland_window_grab PICTURE\n");
        return 2;
    }
    int waited = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const bool shown = Form1 && Form1->windowHandle() && Form1->windowHandle()->isExposed();
        const bool loaded =
            shown && !Form1->XPEdit1->text().isEmpty() && Form1->Image1->Picture().Width() > 0;
        if (!loaded && (waited += poll.interval()) < 30000) return;
        // A secondary window too, for the protocol log to show it placed over the main window.
        if (loaded && !Form2->isVisible()) return Form2->ShowInFront();
        poll.stop();
        const bool saved = loaded && Form1->grab().save(QString::fromLocal8Bit(grabFile));
        std::printf("platform %s\napp id %s\nshown %d\ngrabbed %d\n",
                    qPrintable(QGuiApplication::platformName()),
                    qPrintable(QGuiApplication::desktopFileName()), int(shown), int(saved));
        std::fflush(stdout);
        QCoreApplication::exit(saved ? 0 : 1);
    });
    poll.start(200);
    return application.Run(argv[1]);
}
