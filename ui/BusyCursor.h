#pragma once
#include <QCursor>
#include <QGuiApplication>

// The busy pointer over every window of the program while work that may take a noticeable time
// runs on the user-interface thread (edits and saves of big pictures, a preview's decoding).
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
