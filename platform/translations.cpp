#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ventaro {

void installTranslations()
{
    const QLocale locale = QLocale::system();
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    // Beside the program in a build, in ventaro's own folder once installed.
    const QString here = QCoreApplication::applicationDirPath();
    auto *own = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : {here + QStringLiteral("/translations"), here + QStringLiteral("/" VENTARO_TRANSLATIONS_FROM_BIN)}) {
        if (own->load(locale, QStringLiteral("ventaro"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(own);
            return;
        }
    }
}

} // namespace ventaro
