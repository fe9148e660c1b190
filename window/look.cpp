#include "window/look.h"

#include <algorithm>
#include <cmath>

#include <QFontDatabase>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace ventaro {

namespace {

void setAll(QPalette &palette, QPalette::ColorRole role, const QColor &colour)
{
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
}

} // namespace

// The fixed-pitch font, with fallbacks that keep the activation text in
// columns on a Linux desktop without the Japanese Windows font.
QFont fixedFont()
{
    QFont font;
    font.setFamilies({QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"),
                      QStringLiteral("VL Gothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                      QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

// The window is laid out in fixed twips, so it brings its own interface font
// near the 11-pixel size it was drawn for rather than the desktop's default,
// which is often too large for its labels.
QFont interfaceFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Noto Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

// Focused, the face turns near black with a yellow edge: 15:1 against the
// light face, the edge 7.2:1 on the panel.
ButtonColours buttonColours(bool focused, bool pressed, bool hovered)
{
    if (focused)
        return {QColor(0x1a, 0x1a, 0x1a), QColor(0xff, 0xd2, 0x4d), Qt::white};
    const QColor face = pressed ? QColor(0xc8, 0xc8, 0xc8) : hovered ? Qt::white : QColor(0xef, 0xef, 0xef);
    return {face, QColor(0x8c, 0x8c, 0x8c), Qt::black};
}

// Read as PNG, and only as PNG: letting Qt guess or check the format loads
// every image format plugin to probe the file.
QIcon boltIcon()
{
    QIcon icon;
    // Window icons only: the desktop's menus take the installed theme icons.
    for (const int size : {16, 24, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icons/ventaro-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

QPalette windowPalette()
{
    QPalette palette(QColor(239, 239, 239));
    setAll(palette, QPalette::Window, kPanelBackground);
    setAll(palette, QPalette::WindowText, kPanelText);
    setAll(palette, QPalette::Base, Qt::white);
    setAll(palette, QPalette::AlternateBase, QColor(247, 247, 247));
    setAll(palette, QPalette::Text, Qt::black);
    setAll(palette, QPalette::PlaceholderText, QColor(110, 110, 110));
    setAll(palette, QPalette::Button, QColor(239, 239, 239));
    setAll(palette, QPalette::ButtonText, Qt::black);
    setAll(palette, QPalette::BrightText, Qt::white);
    setAll(palette, QPalette::Light, Qt::white);
    setAll(palette, QPalette::Midlight, QColor(227, 227, 227));
    setAll(palette, QPalette::Mid, QColor(160, 160, 160));
    setAll(palette, QPalette::Dark, QColor(112, 112, 112));
    setAll(palette, QPalette::Shadow, Qt::black);
    // Selected text 6:1 against its background.
    setAll(palette, QPalette::Highlight, QColor(30, 100, 160));
    setAll(palette, QPalette::HighlightedText, Qt::white);
    setAll(palette, QPalette::Link, QColor(0, 0, 238));
    setAll(palette, QPalette::LinkVisited, QColor(82, 24, 139));
    setAll(palette, QPalette::ToolTipBase, QColor(255, 255, 220));
    setAll(palette, QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledPanelText);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(239, 239, 239));
    return palette;
}

QPalette boxPalette()
{
    // The scroll bars draw their arrows in the window text colour: dark on
    // their light face.
    QPalette palette = windowPalette();
    setAll(palette, QPalette::WindowText, QColor(40, 40, 40));
    return palette;
}

QPalette panelPalette()
{
    QPalette palette = windowPalette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        setAll(palette, role, kPanelBackground);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        setAll(palette, role, kPanelText);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kDisabledPanelText);
    return palette;
}

QPalette optionPalette()
{
    QPalette palette = panelPalette();
    const QPalette light = windowPalette();
    for (const auto role : {QPalette::Base, QPalette::Text})
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, light.color(group, role));
    return palette;
}

void paintFrame(QPainter &painter, const QWidget &widget)
{
    // Drawn in device pixels: world coordinates that undo the scaling.
    const qreal ratio = widget.devicePixelRatioF();
    const int width = qRound(widget.width() * ratio);
    const int height = qRound(widget.height() * ratio);
    const int line = std::max(1, int(std::floor(ratio)));
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio));
    painter.fillRect(QRect(0, 0, width, line), kFrame);
    painter.fillRect(QRect(0, height - line, width, line), kFrame);
    painter.fillRect(QRect(0, 0, line, height), kFrame);
    painter.fillRect(QRect(width - line, 0, line, height), kFrame);
    painter.restore();
}

} // namespace ventaro
