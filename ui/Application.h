#pragma once
#include <QApplication>
#include <string>

// The program's one application object. Run() registers the picture formats, creates the six
// windows hidden, shows the main window and runs the event loop until the main window closes.
// Every error that escapes an event handler is shown in the error box here; the loop goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    // A picture path given opens once the main window is up, as the first browse button would.
    int Run(const std::string& picture = {});

    bool notify(QObject* receiver, QEvent* event) override;
};
