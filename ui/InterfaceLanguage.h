#pragma once
#include <QLocale>
#include <QString>
#include <QStringList>

// The texts in the code are Russian. Russian locales and C/POSIX keep them; otherwise the first
// language in the locale's list that has a translation built in is chosen, and English when none
// has. Returns the language code: "ru", "en", ...
QString InterfaceLanguage(const QLocale& locale, const QStringList& translated);

// The languages with a translation built into the program, besides Russian.
QStringList TranslatedLanguages();

// Installs the program's translation and the toolkit's own (its dialogs and buttons) for the
// locale's interface language, in place of what an earlier call installed. Call before the windows
// are made: their texts are set once. Returns the language chosen.
QString InstallInterfaceLanguage(const QLocale& locale = QLocale::system());
