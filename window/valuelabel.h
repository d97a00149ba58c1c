// A read-only value box (the result fields of pages 1 and 2): a number that is wider than
// the box is drawn in a smaller font, so that every digit stays visible instead of the
// leading ones being cut off by the frame.
#pragma once

#include <QLabel>

class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(QWidget *parent = nullptr) : QLabel(parent) {}

    // The font the text is drawn in: the label's own font, made smaller (down to 6
    // pixels) until the whole text fits inside the frame.
    QFont fittingFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
