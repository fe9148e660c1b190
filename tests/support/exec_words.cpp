#include "exec_words.h"

namespace ventaro::test {

QStringList execWords(const QString &value)
{
    QStringList words;
    QString word;
    bool quoted = false, escaped = false, any = false;
    for (const QChar c : value) {
        if (escaped) {
            word += c;
            escaped = false;
        } else if (c == u'\\' && quoted) {
            escaped = true;
        } else if (c == u'"') {
            quoted = !quoted;
            any = true;
        } else if (c == u' ' && !quoted) {
            if (any || !word.isEmpty())
                words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
            word.clear();
            any = false;
        } else {
            word += c;
        }
    }
    if (any || !word.isEmpty())
        words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return words;
}

} // namespace ventaro::test
