// libFuzzer target: a command's output as ventaro keeps, shows and logs it.
// Whatever the bytes, in whatever pieces, nothing shown or logged holds a
// control character (tab aside) or an invisible format character.
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "platform/plain_text.h"
#include "schedule/output_tail.h"
#include "schedule/run_history.h"

namespace {

void check(const QString &text, bool tabs)
{
    for (const QChar c : text) {
        const bool control = c.category() == QChar::Other_Control && !(tabs && c == u'\t');
        if (control || c.category() == QChar::Other_Format)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // The first byte cuts the rest into pieces, as reads from a pipe would.
    const qsizetype piece = size > 0 ? 1 + data[0] % 64 : 1;
    ventaro::OutputTail tail;
    QStringList logged;
    for (qsizetype at = 1; at < bytes.size(); at += piece)
        logged << tail.append(bytes.sliced(at, std::min(piece, bytes.size() - at)));
    logged << tail.finish();
    for (const QString &line : logged + tail.lines())
        check(line, true);
    check(tail.last(5, 300).remove(u'\n'), true);
    // The same bytes as a name: the log's prefix and any quoted text.
    const QString name = QString::fromUtf8(bytes);
    check(ventaro::outputPrefix(name, 42), false);
    check(ventaro::printableText(name), false);
    return 0;
}
