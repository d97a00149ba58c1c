// The pocket calculator laid over the support picture: AC, the memory and result boxes,
// the operator box and sixteen keys, all hidden until the calculator image is clicked.
#pragma once

#include <QWidget>

class QLineEdit;

class PocketCalculator : public QWidget {
    Q_OBJECT
public:
    explicit PocketCalculator(QWidget *panel);
    // Shows the calculator above the picture, or hides it; the boxes keep their contents.
    void toggle();

private:
    void press(const QString &key);

    QLineEdit *m_memory = nullptr;
    QLineEdit *m_calcres = nullptr;
    QLineEdit *m_calc = nullptr;
};
