#include "window/loadgroups.h"

#include "beam/input.h"
#include "window/dialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace panel;
using namespace style;

namespace {

constexpr EditSpec kBeamEdits[] = {
    {"Bname", QRect(46, 6, 86, 20), "B"},
    {"Span", QRect(226, 6, 64, 20), "0.00"},
    {"lb", QRect(46, 30, 56, 20), "0.00"},
    {"seigen1", QRect(193, 30, 36, 20), "300"},
    {"seigen2", QRect(255, 30, 32, 20), "2.0"},
};
constexpr LabelSpec kBeamLabels[] = {
    {"部材名", QRect(6, 9, 40, 14)},       {"スパン長さ(m)", QRect(140, 9, 86, 14)},
    {"lb(m)", QRect(6, 33, 40, 14)},       {"たわみ制限 L／", QRect(106, 33, 87, 14)},
    {"かつ", QRect(231, 33, 24, 14)},      {"cm以下", QRect(289, 33, 46, 14)},
};

constexpr EditSpec kUniformEdits[] = {
    {"uw", QRect(6, 20, 48, 20), ""},      {"lwa", QRect(74, 20, 48, 20), ""},
    {"lwb", QRect(136, 20, 48, 20), ""},   {"nnl", QRect(206, 20, 36, 20), ""},
    {"shiki", QRect(64, 44, 148, 20), ""}, {"uniform", QRect(232, 44, 52, 20), ""},
};
constexpr LabelSpec kUniformLabels[] = {
    {"x (", QRect(56, 23, 18, 14)},        {"+", QRect(125, 23, 10, 14)},
    {") /", QRect(187, 23, 18, 14)},       {"（計算式）", QRect(4, 47, 60, 14)},
    {"w =", QRect(212, 47, 20, 14)},
};

constexpr int kPointRow0 = 34;
constexpr int kPointPitch = 21;
constexpr const char *kPartSuffix = "abc";
constexpr const char *kPartHeads[] = {"w1(kN/m)", "w2(kN/m)", "LD1(m)", "LD2(m)", "LD3(m)"};

} // namespace

BeamGroup::BeamGroup(QWidget *parent) : FieldGroup(parent)
{
    setObjectName(QStringLiteral("beamGroup"));
    setGeometry(2, 0, 338, 78);
    makeBoxes(std::begin(kBeamEdits), std::end(kBeamEdits));
    makeLabels(std::begin(kBeamLabels), std::end(kBeamLabels));

    m_term = new QCheckBox(QStringLiteral("短期荷重として計算する"), this);
    m_term->setObjectName(QStringLiteral("term"));
    m_term->setGeometry(6, 55, 180, 18);
    m_si = new QCheckBox(QStringLiteral("SI単位"), this);
    m_si->setObjectName(QStringLiteral("si"));
    m_si->setGeometry(228, 55, 80, 18);
    m_si->setChecked(true);

    connect(box("Span"), &QLineEdit::textChanged, this, &BeamGroup::spanChanged);
    for (const char *name : {"lb", "seigen1", "seigen2"})
        connect(box(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &BeamGroup::conditionChanged);
    connect(m_term, &QCheckBox::toggled, this, &BeamGroup::conditionChanged);
    connect(m_si, &QCheckBox::toggled, this, &BeamGroup::unitSystemChanged);
}

UniformGroup::UniformGroup(Dialogs &dialogs, QWidget *parent)
    : FieldGroup(QStringLiteral("1） 等分布荷重"), parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("uniformGroup"));
    setGeometry(2, 80, 338, 90);
    makeBoxes(std::begin(kUniformEdits), std::end(kUniformEdits));
    makeLabels(std::begin(kUniformLabels), std::end(kUniformLabels));
    makeLabel(this, QString(), QRect(286, 47, 50, 14), QStringLiteral("Label4"));

    QPushButton *reset = makeResetButton(this, "Button1", QRect(282, 19, 50, 22), "等分布荷重をリセットします。");
    connect(reset, &QPushButton::clicked, this, &UniformGroup::reset);

    box("shiki")->setFont(smallFont(box("shiki")->font()));

    m_jijuucheck = new QCheckBox(QStringLiteral("自重を自動計算する。"), this);
    m_jijuucheck->setObjectName(QStringLiteral("jijuucheck"));
    m_jijuucheck->setGeometry(6, 68, 200, 18);
    m_jijuucheck->setChecked(true);
    connect(m_jijuucheck, &QCheckBox::toggled, this, &UniformGroup::conditionChanged);

    for (const char *name : {"uw", "lwa", "lwb", "nnl"})
        connect(box(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &UniformGroup::uniformCalculator);
    connect(box("uniform"), &QLineEdit::textChanged, this, &UniformGroup::loadChanged);
}

// The four calculator boxes into the formula and the load w.
void UniformGroup::uniformCalculator()
{
    const beam::UniformFormula f =
        beam::uniformCalculator(ss(text("uw")), ss(text("lwa")), ss(text("lwb")), ss(text("nnl")));
    if (!f.error.empty()) {
        m_dialogs.inform(qs(f.error));
        return;
    }
    box("shiki")->setText(qs(f.shiki));
    box("uniform")->setText(qs(f.uniform));
}

void UniformGroup::reset()
{
    leaveEditedBox();
    // each box emptied in turn: emptying the calculator's boxes writes the load from them
    for (const char *name : {"uniform", "shiki", "uw", "lwa", "lwb", "nnl"})
        box(QString::fromUtf8(name))->clear();
}

PointGroup::PointGroup(QWidget *parent) : FieldGroup(QStringLiteral("2) 集中荷重"), parent)
{
    setObjectName(QStringLiteral("pointGroup"));
    setGeometry(2, 172, 168, 204);
    makeLabel(this, QString(), QRect(30, 18, 60, 14), QStringLiteral("Label6"));
    makeLabel(this, QStringLiteral("Li(m)"), QRect(98, 18, 60, 14));
    for (int k = 0; k < 8; ++k) {
        const int y = kPointRow0 + kPointPitch * k;
        makeLabel(this, QStringLiteral("P%1").arg(k + 1), QRect(6, y + 3, 20, 14));
        QLineEdit *p = makeBox(QStringLiteral("p%1").arg(k + 1), QRect(28, y, 64, 19), QString());
        QLineEdit *pl = makeBox(QStringLiteral("pl%1").arg(k + 1), QRect(96, y, 64, 19), QString());
        connect(p, &QLineEdit::textChanged, this, &PointGroup::loadChanged);
        connect(pl, &QLineEdit::textChanged, this, &PointGroup::loadChanged);
    }
    QPushButton *reset = makeResetButton(this, "Button2", QRect(112, -1, 50, 18), "集中荷重をリセットします。");
    connect(reset, &QPushButton::clicked, this, &PointGroup::reset);
}

void PointGroup::reset()
{
    clearBoxes(boxes());
    Q_EMIT loadChanged();
}

PartGroup::PartGroup(QWidget *parent) : FieldGroup(QStringLiteral("3) 任意形分布荷重"), parent)
{
    setObjectName(QStringLiteral("partGroup"));
    setGeometry(2, 378, 338, 106);
    for (int c = 0; c < 5; ++c) {
        QLabel *head = makeLabel(this, QString::fromUtf8(kPartHeads[c]), QRect(22 + 63 * c, 18, 62, 14));
        if (c < 2)
            head->setObjectName(c == 0 ? QStringLiteral("Label39") : QStringLiteral("Label40"));
    }
    for (int j = 0; j < 3; ++j) {
        const QChar suffix = QLatin1Char(kPartSuffix[j]);
        const int y = 35 + 22 * j;
        makeLabel(this, QString(suffix), QRect(8, y + 3, 12, 14));
        QList<QLineEdit *> row;
        row << makeBox(QStringLiteral("w1") + suffix, QRect(20, y, 60, 19), QString());
        row << makeBox(QStringLiteral("w2") + suffix, QRect(83, y, 60, 19), QString());
        for (int s = 0; s < 3; ++s)
            row << makeBox(QStringLiteral("ld%1").arg(s + 1) + suffix, QRect(146 + 63 * s, y, 60, 19), QString());
        for (QLineEdit *e : std::as_const(row))
            connect(e, &QLineEdit::textChanged, this, &PartGroup::loadChanged);
    }
    QPushButton *reset = makeResetButton(this, "Button3", QRect(282, -1, 50, 18), "分布荷重をリセットします。");
    connect(reset, &QPushButton::clicked, this, &PartGroup::reset);
}

void PartGroup::reset()
{
    clearBoxes(boxes());
    Q_EMIT loadChanged();
}
