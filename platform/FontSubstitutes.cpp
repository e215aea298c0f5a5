#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes() {
    // Liberation Sans (fonts-liberation) has the widths of the Windows sans faces; left to the
    // desktop, "MS Sans Serif" usually falls back to a much wider face and captions overrun
    // their buttons.
    const QString sans = QStringLiteral("Liberation Sans");
    for (const char* requested : {"MS Sans Serif", "Arial"}) {
        const QString name = QString::fromLatin1(requested);
        if (!QFont::substitutes(name).contains(sans)) QFont::insertSubstitution(name, sans);
    }
}

}  // namespace platform
