#include "exec_words.h"

#include "platform/autostart_entry.h"

namespace ventaro::test {

QStringList execWords(const QString &value)
{
    return AutostartEntry::execWords(value);
}

} // namespace ventaro::test
