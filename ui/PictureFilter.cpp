#include "ui/PictureFilter.h"

namespace {

QString SpacedPatterns(const QString& patterns) {
    QStringList parts = patterns.split(';', Qt::SkipEmptyParts);
    for (QString& part : parts) part = part.trimmed();
    return parts.join(' ');
}

}  // namespace

QStringList NameFiltersFromFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString patterns = SpacedPatterns(parts[i + 1]);
        const QString ownGroup = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (description.endsWith(ownGroup))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QStringList PatternsOfNameFilter(const QString& nameFilter) {
    const qsizetype open = nameFilter.lastIndexOf('('), close = nameFilter.lastIndexOf(')');
    if (open < 0 || close < open) return {};
    return nameFilter.mid(open + 1, close - open - 1).split(' ', Qt::SkipEmptyParts);
}
