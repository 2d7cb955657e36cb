#include "platform/qt/Qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QTranslator* InstallQtTranslations(QCoreApplication& app)
{
    // The interface is Chinese whatever the user's locale says.
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QString folders[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                               QStringLiteral("/usr/share/qt6/translations")};
    auto* translator = new QTranslator(&app);
    for (const QString& folder : folders) {
        if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return translator;
        }
    }
    delete translator;
    return nullptr;
}
