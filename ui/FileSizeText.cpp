#include "ui/FileSizeText.h"

#include <QCoreApplication>
#include <cmath>

std::string FileSizeCaption() {
    return QCoreApplication::translate("TForm1", "Размер файла равен:  ").toStdString();
}

std::string KilobyteFigure(std::int64_t size) {
    // nearbyint rounds half to even in the default rounding mode; -0 prints as 0.
    return std::to_string(static_cast<long long>(std::nearbyint(double(size) / 1024.0)));
}

std::string KilobyteText(std::int64_t size) {
    return KilobyteFigure(size) + "  KB";
}
