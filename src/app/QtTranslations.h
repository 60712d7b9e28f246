#pragma once

class QCoreApplication;
class QTranslator;

// Loads Qt's own texts in Traditional Chinese (qtbase_zh_TW, from Debian's
// qt6-translations-l10n, in Qt's translations folder), so that the standard
// dialogs and context menus speak the app's language. Returns the installed
// translator (owned by app), or none, with a log line, where the texts cannot
// be loaded; Qt then speaks English.
QTranslator* installQtTranslations(QCoreApplication& app);
