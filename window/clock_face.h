#pragma once

#include <array>

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace ventaro {

// The live clock. It draws its fixed-pitch text from glyphs rendered once
// and repaints only the characters that changed, so a tick that moves one
// digit costs about one digit: no text shaping and no full repaint a second.
class ClockFace final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClockFace)

public:
    explicit ClockFace(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect cell(qsizetype index) const;
    const QPixmap &glyph(QChar c);

    QString text_;
    // Digits and separators are all a clock shows; anything else is drawn
    // as text.
    std::array<QPixmap, 128> glyphs_;
    qreal glyphRatio_ = 0;
    mutable int cellWidth_ = 0; // of one fixed-pitch character, once known
};

} // namespace ventaro
