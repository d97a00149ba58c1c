#include "window/printsettings.h"

#include "window/fieldgroup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

PrintSettingsGroup::PrintSettingsGroup(QWidget *parent) : QGroupBox(QStringLiteral("印刷設定"), parent)
{
    setObjectName(QStringLiteral("printSettings"));

    m_pagechk = new QCheckBox(QStringLiteral("頁番号を印刷する。"), this);
    m_pagechk->setObjectName(QStringLiteral("pagechk"));
    m_pagechk->setGeometry(8, 16, 126, 17);
    m_pagechk->setChecked(true);
    connect(m_pagechk, &QCheckBox::toggled, this, &PrintSettingsGroup::pagechkClick);

    panel::placeLabel(this, QStringLiteral("開始頁番号"), 29, 37);
    m_firstpage = panel::smallEdit(this, "firstpage", QRect(96, 32, 33, 20), "1");

    // the page-number position: a click composes the page with the new position
    auto *positions = new QButtonGroup(this);
    struct Position {
        QRadioButton **button;
        const char *name;
        const char *caption;
        int y;
    };
    const Position rows[] = {{&m_leftup, "leftup", "左上", 48},
                             {&m_center, "center", "中央下", 64},
                             {&m_leftlower, "leftlower", "左下", 80}};
    for (const Position &r : rows) {
        auto *b = new QRadioButton(QString::fromUtf8(r.caption), this);
        b->setObjectName(QString::fromUtf8(r.name));
        b->setGeometry(32, r.y, 62, 16);
        positions->addButton(b);
        connect(b, &QRadioButton::clicked, this, &PrintSettingsGroup::positionClicked);
        *r.button = b;
    }
    m_leftup->setChecked(true);

    panel::placeLabel(this, QStringLiteral("左マージン"), 32, 104);
    m_hidari = panel::smallEdit(this, "hidari", QRect(96, 100, 33, 20), "30");
}

sheets::PageSettings PrintSettingsGroup::settings() const
{
    sheets::PageSettings s;
    s.pagechk = m_pagechk->isChecked();
    s.firstpage = m_firstpage->text().toStdString();
    s.position = m_leftup->isChecked()      ? sheets::PagePosition::LeftUp
                 : m_center->isChecked()    ? sheets::PagePosition::Center
                 : m_leftlower->isChecked() ? sheets::PagePosition::LeftLower
                                            : sheets::PagePosition::None;
    s.hidari = m_hidari->text().toStdString();
    return s;
}

void PrintSettingsGroup::showMargin(const QString &margin)
{
    if (margin != m_hidari->text())
        m_hidari->setText(margin);
}

void PrintSettingsGroup::pagechkClick()
{
    const bool on = m_pagechk->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(m_firstpage), static_cast<QWidget *>(m_leftup),
                       static_cast<QWidget *>(m_center), static_cast<QWidget *>(m_leftlower)})
        w->setEnabled(on);
}
