#include "platform/run_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Store
{
    Q_DECLARE_TR_FUNCTIONS(Store)
};

} // namespace

namespace {

using Open = RunStore *(*)(const QString &file, QString *why);

} // namespace

QString runStoreFile()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/ventaro/history.sqlite");
}

Result<std::shared_ptr<RunStore>> openRunStore()
{
    // Beside the program in a build, in ventaro's own folder once installed.
    static Open open = nullptr;
    QString why;
    if (open == nullptr) {
        const QString here = QCoreApplication::applicationDirPath();
        for (const QString &path : {here + QStringLiteral("/ventaro-history.so"),
                                    here + QStringLiteral("/" VENTARO_STORE_FROM_BIN)}) {
            QLibrary module(path);
            if ((open = reinterpret_cast<Open>(module.resolve("ventaroOpenRunStore"))) != nullptr)
                break;
            why = module.errorString();
        }
    }
    if (open == nullptr)
        return Result<std::shared_ptr<RunStore>>::failure(Store::tr("the history's module could not be loaded: %1").arg(why));
    RunStore *store = open(runStoreFile(), &why);
    if (store == nullptr)
        return Result<std::shared_ptr<RunStore>>::failure(why);
    return std::shared_ptr<RunStore>(store);
}

} // namespace ventaro
