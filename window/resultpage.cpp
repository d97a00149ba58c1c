#include "window/resultpage.h"

ResultPage::ResultPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("resultPage"));
}

void ResultPage::fillSlotArrays()
{
}
