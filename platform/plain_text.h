#pragma once

#include <QString>
#include <QStringView>

namespace ventaro {

// Text from outside (a command, a path, a command's output) as ventaro shows
// it: every invisible format character (bidi controls,
// zero-width spaces and joiners, ...) written out as "<U+202E>", so that
// "invoice_<U+202E>fdp.exe" can never read "invoice_exe.pdf". Line breaks and
// other control characters are left to the caller.
QString visibleText(QStringView text);

// Text with nothing in it that a terminal or a log would act on: control
// characters as escapes ("\n", "\x1b") and format characters as visibleText
// writes them. For one-line messages and every log line that quotes a
// command, a path or a reason.
QString printableText(QStringView text);

} // namespace ventaro
