// The options dialog "検定基準": which rule gives the allowable stresses (従来式 or 告示1024号),
// the steel grade or a typed F, the moment-gradient factor C (automatic or typed) and
// the shear check. It edits a beam::Basis; OK is taken only for a basis the check can use.
#pragma once

#include "beam/allowable.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class BasisDialog : public QDialog {
    Q_OBJECT
public:
    explicit BasisDialog(const beam::Basis &basis, QWidget *parent = nullptr);

    // The basis the controls describe, or the Japanese reason it cannot be used.
    std::optional<beam::Basis> basis(QString *why = nullptr) const;

    // The item of the grade list that stands for a typed F.
    static QString typedStrengthItem();

    void accept() override;

private:
    void updateEnabled();
    void showThickPlates();

    QRadioButton *m_oldRule = nullptr;
    QRadioButton *m_noticeRule = nullptr;
    QComboBox *m_grade = nullptr;
    QLineEdit *m_F = nullptr;
    QLabel *m_thickPlates = nullptr; // the grade's F for plates over 40 mm
    QRadioButton *m_autoC = nullptr;
    QRadioButton *m_typedC = nullptr;
    QLineEdit *m_C = nullptr;
    QCheckBox *m_shear = nullptr;
};
