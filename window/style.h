// The look every page shares: the colours the program gives its boxes and captions, the
// small font of the dense columns, and the passage of the core's UTF-8 texts into Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <string>

namespace style {

inline const QColor kWhite(255, 255, 255);
inline const QColor kYellow(255, 255, 0); // the box being typed in
inline const QColor kAqua(0, 255, 255);   // the span, the one box every calculation needs
inline const QColor kNavy(0, 0, 128);     // SI unit captions
inline const QColor kRed(255, 0, 0);      // traditional unit captions, a failing slot
inline const QColor kFace(212, 208, 200); // the grey of a raised button face

inline QString qs(const std::string &s) { return QString::fromStdString(s); }
inline QString qs(const char *s) { return QString::fromUtf8(s); }
inline std::string ss(const QString &s) { return s.toStdString(); }

// The colour of a caption's or a button's text.
inline void setTextColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

// `base` at 11 pixels: the formula box, the list boxes and the column heads, where the
// window's 12 pixels would not fit.
inline QFont smallFont(QFont base)
{
    base.setPixelSize(11);
    return base;
}

} // namespace style
