#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (file dialogs, the buttons of message boxes, context menus of
// edit boxes) in Chinese, as the rest of the program: the "qtbase" catalogue
// of the Qt translations, from Qt's translation folder or the system's.
// Returns the installed translator (owned by the application), or null when
// no catalogue was found; the texts then stay as Qt has them.
QTranslator* InstallQtTranslations(QCoreApplication& app);
