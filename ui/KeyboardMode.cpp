#include "ui/KeyboardMode.h"

#include <QEvent>

namespace {
bool lastPressWasKey = false;
}

void NoteUserInput(const QEvent& event) {
    if (event.type() == QEvent::KeyPress)
        lastPressWasKey = true;
    else if (event.type() == QEvent::MouseButtonPress)
        lastPressWasKey = false;
}

bool LastPressWasKey() {
    return lastPressWasKey;
}
