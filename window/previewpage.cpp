#include "window/previewpage.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

PreviewPage::PreviewPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("previewPage"));
    // the choice takes effect at the next calculation; changing it changes no shown result
    auto *group = new QGroupBox(QStringLiteral("SI単位での許容応力度"), this);
    group->setObjectName(QStringLiteral("siGroup"));
    group->setGeometry(640, 8, 136, 84);
    m_si157 = new QRadioButton(QStringLiteral("157 MPa"), group);
    m_si157->setObjectName(QStringLiteral("si157"));
    m_si157->setGeometry(10, 20, 120, 18);
    m_si156 = new QRadioButton(QStringLiteral("156.906 MPa"), group);
    m_si156->setObjectName(QStringLiteral("si156"));
    m_si156->setGeometry(10, 40, 120, 18);
    m_si156->setChecked(true);
    auto *note = new QLabel(QStringLiteral("計算後の設定変更は無効"), group);
    note->setGeometry(10, 62, 124, 16);
}

bool PreviewPage::si157() const
{
    return m_si157->isChecked();
}

void PreviewPage::hyoujipage()
{
}
