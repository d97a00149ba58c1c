#include "window/sibasis.h"

#include <QLabel>
#include <QRadioButton>

SiBasisGroup::SiBasisGroup(QWidget *parent) : QGroupBox(QStringLiteral("SI単位での許容応力度"), parent)
{
    setObjectName(QStringLiteral("siGroup"));
    m_si157 = new QRadioButton(QStringLiteral("157 MPa"), this);
    m_si157->setObjectName(QStringLiteral("si157"));
    m_si157->setGeometry(10, 20, 120, 18);
    m_si156 = new QRadioButton(QStringLiteral("156.906 MPa"), this);
    m_si156->setObjectName(QStringLiteral("si156"));
    m_si156->setGeometry(10, 40, 120, 18);
    m_si156->setChecked(true);
    auto *note = new QLabel(QStringLiteral("計算後の設定変更は無効"), this);
    note->setGeometry(6, 62, 137, 16);
}

bool SiBasisGroup::si157() const
{
    return m_si157->isChecked();
}
