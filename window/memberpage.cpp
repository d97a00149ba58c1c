#include "window/memberpage.h"

MemberPage::MemberPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("memberPage"));
}

void MemberPage::prepareGrid()
{
}
