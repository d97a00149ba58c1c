// Page 3's "印刷設定" group: whether the sheets carry page numbers, the first number and
// where it stands, and the left margin. The preview and the printout read the same
// settings; the checks before printing and the printing itself stay with the page.
#pragma once

#include "sheets/page.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class PrintSettingsGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit PrintSettingsGroup(QWidget *parent = nullptr);

    // The page numbers and the margin as the controls hold them (the displayed page is
    // the page's own and left empty here).
    sheets::PageSettings settings() const;
    // Shows the margin as the printout read it (a margin that reads as 0 is shown as "0").
    void showMargin(const QString &margin);

    void pagechkClick(); // enables or disables the page-number settings

Q_SIGNALS:
    void positionClicked(); // a page-number position was clicked: the page is composed anew

private:
    QCheckBox *m_pagechk = nullptr;
    QLineEdit *m_firstpage = nullptr;
    QRadioButton *m_leftup = nullptr;
    QRadioButton *m_center = nullptr;
    QRadioButton *m_leftlower = nullptr;
    QLineEdit *m_hidari = nullptr;
};
