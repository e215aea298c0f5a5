#include "ui/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

// The resources live in a static library, whose registration the linker may otherwise drop.
// (Outside any namespace: the registration function is a global one.)
static void EnsureTranslations() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    (void)registered;
}

namespace {

const QString SourceLanguage = QStringLiteral("ru");
const QString FallbackLanguage = QStringLiteral("en");
const QString TranslationFolder = QStringLiteral(":/translations");

// Replaces the translator held in `slot` by one loaded from `file` (none when it does not load).
void Replace(QTranslator*& slot, const QString& file, const QString& folder) {
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
        slot = nullptr;
    }
    if (file.isEmpty()) return;
    auto* translator = new QTranslator;
    if (!translator->load(file, folder)) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    slot = translator;
}

}  // namespace

QString InterfaceLanguage(const QLocale& locale, const QStringList& translated) {
    if (locale.language() == QLocale::C) return SourceLanguage;
    for (const QString& tag : locale.uiLanguages()) {
        const QString language = tag.section(QLatin1Char('-'), 0, 0).toLower();
        if (language == SourceLanguage || translated.contains(language)) return language;
    }
    return FallbackLanguage;
}

QStringList TranslatedLanguages() {
    EnsureTranslations();
    QStringList languages;
    const QStringList files =
        QDir(TranslationFolder).entryList({QStringLiteral("brelvik_*.qm")}, QDir::Files);
    for (const QString& file : files)
        languages << file.section(QLatin1Char('_'), 1).section(QLatin1Char('.'), 0, 0);
    return languages;
}

QString InstallInterfaceLanguage(const QLocale& locale) {
    static QTranslator* own = nullptr;
    static QTranslator* toolkit = nullptr;
    const QString language = InterfaceLanguage(locale, TranslatedLanguages());
    Replace(own, language == SourceLanguage ? QString() : QStringLiteral("brelvik_") + language,
            TranslationFolder);
    // Russian too: the toolkit's file dialog and message boxes otherwise speak English.
    Replace(toolkit, QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}
