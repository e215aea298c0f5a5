#pragma once
#include <QApplication>

// The program's one application object. Run() registers the picture formats, creates the six
// windows hidden, shows the main window and runs the event loop until the main window closes.
// Every error that escapes an event handler is shown in the error box here; the loop goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    int Run();

    bool notify(QObject* receiver, QEvent* event) override;
};
