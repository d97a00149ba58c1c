// Page 4's group "断面性能", the section property calculator: a click on one of the twelve
// palette panels `dan1`..`dan12` computes the properties of its shape from the dimension
// boxes (sections::computeShape) into the four result lines; the panel under the mouse is
// outlined. It reads only its own boxes and writes only its own result lines.
#pragma once

#include <QGroupBox>

#include <array>

class Dialogs;
class QFrame;
class QLabel;
class QLineEdit;

class CalculatorGroup : public QGroupBox {
    Q_OBJECT
public:
    CalculatorGroup(Dialogs &dialogs, QWidget *parent);

    void danClick(int panel);     // `dan1Click`..`dan11Click`; panel 12 computes nothing
    void danMouseMove(int panel); // outlines the panel under the mouse (1..12)
    void Image24Click();          // Reset: empties the dimension boxes and the result lines

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Dialogs &m_dialogs;
    std::array<QFrame *, 12> m_dan{};    // the palette panels dan1..dan12
    std::array<QLineEdit *, 6> m_dims{}; // danA, danB, danHH, danH, danR, danD
    std::array<QLabel *, 4> m_danres{};  // danres1..danres4
};
