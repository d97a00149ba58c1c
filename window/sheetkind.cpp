#include "window/sheetkind.h"

#include "printing/sheetcanvas.h"

#include <QButtonGroup>
#include <QPainter>
#include <QRadioButton>

SheetKindChoice::SheetKindChoice(QWidget *parent) : QGroupBox(QStringLiteral("計算書"), parent)
{
    setObjectName(QStringLiteral("sheetKind"));
    m_standard = new QRadioButton(QStringLiteral("標準（2件/頁）"), this);
    m_standard->setObjectName(QStringLiteral("standardSheets"));
    m_standard->setGeometry(10, 19, 130, 18);
    m_detailed = new QRadioButton(QStringLiteral("詳細（1件/頁）"), this);
    m_detailed->setObjectName(QStringLiteral("detailedSheets"));
    m_detailed->setGeometry(10, 38, 130, 18);
    m_standard->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(m_standard);
    group->addButton(m_detailed);
    connect(m_detailed, &QRadioButton::toggled, this, &SheetKindChoice::kindChanged);
}

bool SheetKindChoice::detailed() const
{
    return m_detailed->isChecked();
}

sheets::SheetOutcome composeDetailedSheetPage(QImage &page, const sheets::DetailedPlan &plan, int pageIndex,
                                              qreal devicePixelRatio)
{
    const QImage fresh = newSheetPage(devicePixelRatio);
    if (page.isNull() || page.size() != fresh.size() || page.devicePixelRatio() != fresh.devicePixelRatio())
        page = fresh;
    QPainter painter(&page);
    SheetCanvas canvas(painter, kSheetPreviewDpi);
    return sheets::composeDetailedPage(canvas, plan, pageIndex);
}
