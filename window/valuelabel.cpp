#include "window/valuelabel.h"

#include "window/fittext.h"

#include <QFontMetrics>
#include <QPainter>

QFont ValueLabel::fittingFont() const
{
    return fit::fittingFont(font(), text(), contentsRect().width() - 2 * margin());
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
