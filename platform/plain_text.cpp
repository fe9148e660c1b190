#include "platform/plain_text.h"

namespace ventaro {

namespace {

QString codePoint(char32_t c)
{
    return QStringLiteral("<U+%1>").arg(QString::number(quint32(c), 16).toUpper().rightJustified(4, u'0'));
}

// Walks the text by code point: format characters outside the first plane
// (the tag characters) are pairs of QChars.
template<typename Escape>
QString rewritten(QStringView text, Escape escape)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        qsizetype width = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        if (QChar::category(c) == QChar::Other_Format)
            result += codePoint(c);
        else if (!escape(c, result))
            result += text.sliced(i, width);
        i += width - 1;
    }
    return result;
}

} // namespace

QString visibleText(QStringView text)
{
    return rewritten(text, [](char32_t, QString &) { return false; });
}

QString printableText(QStringView text)
{
    return rewritten(text, [](char32_t c, QString &out) {
        switch (c) {
        case u'\n': out += QStringLiteral("\\n"); return true;
        case u'\t': out += QStringLiteral("\\t"); return true;
        case u'\r': out += QStringLiteral("\\r"); return true;
        default: break;
        }
        if (QChar::category(c) != QChar::Other_Control)
            return false;
        out += QStringLiteral("\\x%1").arg(quint32(c), 2, 16, QChar(u'0'));
        return true;
    });
}

} // namespace ventaro
