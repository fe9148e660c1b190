#include "window/clock_face.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ventaro {

ClockFace::ClockFace(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString ClockFace::text() const
{
    return text_;
}

void ClockFace::setText(const QString &text)
{
    if (text == text_)
        return;
    const qsizetype common = std::min(text.size(), text_.size());
    QRegion changed;
    for (qsizetype i = 0; i < std::max(text.size(), text_.size()); ++i) {
        if (i >= common || text[i] != text_[i])
            changed += cell(i);
    }
    text_ = text;
    update(changed);
}

void ClockFace::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        glyphs_ = {};
        cellWidth_ = 0;
    }
    QWidget::changeEvent(event);
}

QRect ClockFace::cell(qsizetype index) const
{
    if (cellWidth_ == 0)
        cellWidth_ = fontMetrics().horizontalAdvance(u'0');
    return {int(index) * cellWidth_, 0, cellWidth_, height()};
}

const QPixmap &ClockFace::glyph(QChar c)
{
    const qreal ratio = devicePixelRatioF();
    if (ratio != glyphRatio_) {
        glyphs_ = {};
        glyphRatio_ = ratio;
    }
    QPixmap &pixmap = glyphs_[c.unicode() & 0x7f];
    if (pixmap.isNull()) {
        const QRect box = cell(0);
        pixmap = QPixmap(box.size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(palette().color(QPalette::Window));
        QPainter painter(&pixmap);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString(c));
    }
    return pixmap;
}

void ClockFace::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    for (qsizetype i = 0; i < text_.size(); ++i) {
        const QRect box = cell(i);
        if (!event->region().intersects(box))
            continue;
        const QChar c = text_[i];
        if (c.unicode() < 128)
            painter.drawPixmap(box.topLeft(), glyph(c));
        else
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString(c));
    }
}

} // namespace ventaro
