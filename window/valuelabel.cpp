#include "window/valuelabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kSmallestPixels = 6;
}

QFont ValueLabel::fittingFont() const
{
    QFont f = font();
    const int room = contentsRect().width() - 2 * margin();
    int pixels = QFontInfo(f).pixelSize();
    while (pixels > kSmallestPixels && QFontMetrics(f).horizontalAdvance(text()) > room) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

void ValueLabel::paintEvent(QPaintEvent *event)
{
    if (QFontMetrics(font()).horizontalAdvance(text()) <= contentsRect().width() - 2 * margin()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event); // the frame only
    QPainter painter(this);
    painter.setFont(fittingFont());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(contentsRect().adjusted(margin(), 0, -margin(), 0), static_cast<int>(alignment()), text());
}
