// A picture area that reacts to a mouse click: the image buttons of the pages (calculate,
// store, exit, calculator toggle) and the clickable captions of the load diagram.
#pragma once

#include <QLabel>

class ImageButton : public QLabel {
    Q_OBJECT
public:
    explicit ImageButton(QWidget *parent = nullptr) : QLabel(parent) {}

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
