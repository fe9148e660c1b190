#include "platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ventaro {

void installTranslations()
{
    const QLocale locale = QLocale::system();
    // Beside the program in a build, in ventaro's own folder once installed.
    const QString here = QCoreApplication::applicationDirPath();
    auto *own = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : {here + QStringLiteral("/translations"), here + QStringLiteral("/" VENTARO_TRANSLATIONS_FROM_BIN)}) {
        if (!own->load(locale, QStringLiteral("ventaro"), QStringLiteral("_"), folder))
            continue;
        // Qt's own words (the dialogs' buttons, --help's headings) only in a
        // language ventaro speaks: never German buttons under English text.
        auto *qt = new QTranslator(QCoreApplication::instance());
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        QCoreApplication::installTranslator(own);
        return;
    }
}

} // namespace ventaro
