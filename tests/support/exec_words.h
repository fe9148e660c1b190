#pragma once

#include <QString>
#include <QStringList>

namespace ventaro::test {

// An Exec value read as the Desktop Entry rules say a desktop reads it.
QStringList execWords(const QString &value);

} // namespace ventaro::test
