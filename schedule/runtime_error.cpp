#include "schedule/runtime_error.h"

namespace ventaro {

RuntimeError::RuntimeError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString RuntimeError::message() const
{
    return QString::fromStdString(what());
}

} // namespace ventaro
