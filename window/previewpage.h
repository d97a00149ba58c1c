// Page 3, "印刷プレビュー": the calculation-sheet preview, the print settings and the
// SI allowable-stress basis that the next calculation uses.
#pragma once

#include <QWidget>

class QRadioButton;

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(QWidget *parent = nullptr);

    // True when the SI allowable stress is based on 157 MPa (`si157`), false for
    // 156.906 MPa (`si156`, the start-up choice).
    bool si157() const;

    // Composes the shown sheet page; runs on every change of the active page.
    void hyoujipage();

private:
    QRadioButton *m_si157 = nullptr;
    QRadioButton *m_si156 = nullptr;
};
