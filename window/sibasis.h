// Page 3's "SI単位での許容応力度" group: whether the next calculation in SI units bases the
// allowable stress on 157 MPa (`si157`) or on 156.906 MPa (`si156`, the start-up choice).
// The choice takes effect at the next calculation; changing it changes no shown result.
#pragma once

#include <QGroupBox>

class QRadioButton;

class SiBasisGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit SiBasisGroup(QWidget *parent = nullptr);
    bool si157() const;

private:
    QRadioButton *m_si157 = nullptr;
    QRadioButton *m_si156 = nullptr;
};
