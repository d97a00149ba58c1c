#include "window/basisdialog.h"

#include "beam/numtext.h"
#include "window/style.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

using style::qs;

namespace {

QLineEdit *numberEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(70);
    return edit;
}

} // namespace

QString BasisDialog::typedStrengthItem() { return QStringLiteral("F を入力"); }

BasisDialog::BasisDialog(const beam::Basis &basis, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("basisDialog"));
    setWindowTitle(QStringLiteral("検定基準"));
    auto *layout = new QVBoxLayout(this);

    auto *ruleBox = new QGroupBox(QStringLiteral("許容曲げ応力度"), this);
    auto *ruleLayout = new QVBoxLayout(ruleBox);
    m_oldRule = new QRadioButton(QStringLiteral("従来式 (fb = 900Af/(lb・h), 上限 1.6 tf/cm2)"), ruleBox);
    m_oldRule->setObjectName(QStringLiteral("oldRule"));
    m_noticeRule = new QRadioButton(QStringLiteral("告示1024号 (fb1・fb2, E = 205,000 N/mm2, せん断検定)"), ruleBox);
    m_noticeRule->setObjectName(QStringLiteral("noticeRule"));
    ruleLayout->addWidget(m_oldRule);
    ruleLayout->addWidget(m_noticeRule);
    layout->addWidget(ruleBox);

    auto *noticeBox = new QGroupBox(QStringLiteral("告示1024号の条件"), this);
    auto *form = new QFormLayout(noticeBox);
    auto *gradeRow = new QHBoxLayout;
    m_grade = new QComboBox(noticeBox);
    m_grade->setObjectName(QStringLiteral("grade"));
    for (const beam::SteelGrade &g : beam::steelGrades())
        m_grade->addItem(QString::fromLatin1(g.name));
    m_grade->addItem(typedStrengthItem());
    m_F = numberEdit("F", noticeBox);
    gradeRow->addWidget(m_grade);
    gradeRow->addWidget(new QLabel(QStringLiteral("F ="), noticeBox));
    gradeRow->addWidget(m_F);
    gradeRow->addWidget(new QLabel(QStringLiteral("N/mm2"), noticeBox));
    gradeRow->addStretch();
    form->addRow(QStringLiteral("鋼材"), gradeRow);
    m_thickPlates = new QLabel(noticeBox);
    m_thickPlates->setObjectName(QStringLiteral("thickPlates"));
    form->addRow(QString(), m_thickPlates);

    auto *cRow = new QHBoxLayout;
    m_autoC = new QRadioButton(QStringLiteral("自動 (lb ≧ L のとき端モーメントから)"), noticeBox);
    m_autoC->setObjectName(QStringLiteral("autoC"));
    m_typedC = new QRadioButton(QStringLiteral("入力"), noticeBox);
    m_typedC->setObjectName(QStringLiteral("typedC"));
    auto *cGroup = new QButtonGroup(this);
    cGroup->addButton(m_autoC);
    cGroup->addButton(m_typedC);
    m_C = numberEdit("C", noticeBox);
    cRow->addWidget(m_autoC);
    cRow->addWidget(m_typedC);
    cRow->addWidget(m_C);
    cRow->addWidget(new QLabel(QStringLiteral("(1.0～2.3)"), noticeBox));
    cRow->addStretch();
    form->addRow(QStringLiteral("補正係数 C"), cRow);

    m_shear = new QCheckBox(QStringLiteral("せん断応力度も検定する (τ = Q/Aw ≦ fs)"), noticeBox);
    m_shear->setObjectName(QStringLiteral("shear"));
    form->addRow(QString(), m_shear);
    layout->addWidget(noticeBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &BasisDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BasisDialog::reject);
    layout->addWidget(buttons);

    (basis.rule == beam::FbRule::Notice ? m_noticeRule : m_oldRule)->setChecked(true);
    m_grade->setCurrentText(basis.grade.empty() ? typedStrengthItem() : qs(basis.grade));
    m_F->setText(qs(beam::strengthText(basis.F)));
    (basis.C ? m_typedC : m_autoC)->setChecked(true);
    m_C->setText(qs(beam::formatNumber(basis.C.value_or(1.0), "0.0#")));
    m_shear->setChecked(basis.shear);

    connect(m_noticeRule, &QRadioButton::toggled, this, [this] { updateEnabled(); });
    connect(m_typedC, &QRadioButton::toggled, this, [this] { updateEnabled(); });
    connect(m_grade, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        if (const std::optional<double> F = beam::gradeStrength(name.toStdString()))
            m_F->setText(qs(beam::strengthText(*F)));
        updateEnabled();
        showThickPlates();
    });
    updateEnabled();
    showThickPlates();
}

// F above is that of plates up to 40 mm; a section with thicker plates gets less (the
// notice on the strength of steel), which the line under it says.
void BasisDialog::showThickPlates()
{
    const beam::SteelGrade *g = beam::findGrade(m_grade->currentText().toStdString());
    auto F = [](double v) { return qs(beam::strengthText(v)); };
    QString text;
    if (!g)
        text = QStringLiteral("入力した F は板厚によらずそのまま使います。");
    else if (!(g->F75 > 0))
        text = QStringLiteral("上の F は板厚 40 mm 以下の板の値。それより厚い板の断面では F を入力して下さい。");
    else if (g->F75 == g->F100)
        text = QStringLiteral("上の F は板厚 40 mm 以下の板の値。それを超え 100 mm 以下は %1（告示第2464号）。").arg(F(g->F75));
    else
        text = QStringLiteral("上の F は板厚 40 mm 以下の板の値。それを超え 75 mm 以下は %1、100 mm 以下は %2（告示第2464号）。")
                   .arg(F(g->F75), F(g->F100));
    m_thickPlates->setText(text);
}

void BasisDialog::updateEnabled()
{
    const bool notice = m_noticeRule->isChecked();
    m_grade->setEnabled(notice);
    m_thickPlates->setEnabled(notice);
    m_F->setEnabled(notice && m_grade->currentText() == typedStrengthItem());
    m_autoC->setEnabled(notice);
    m_typedC->setEnabled(notice);
    m_C->setEnabled(notice && m_typedC->isChecked());
    m_shear->setEnabled(notice);
}

std::optional<beam::Basis> BasisDialog::basis(QString *why) const
{
    beam::Basis b;
    b.rule = m_noticeRule->isChecked() ? beam::FbRule::Notice : beam::FbRule::Old;
    const std::string grade = m_grade->currentText().toStdString();
    if (const std::optional<double> F = beam::gradeStrength(grade)) {
        b.grade = grade;
        b.F = *F;
    } else {
        b.grade.clear();
        b.F = beam::parseDouble(m_F->text().toStdString());
    }
    if (m_typedC->isChecked())
        b.C = beam::parseDouble(m_C->text().toStdString());
    b.shear = m_shear->isChecked();
    if (b.rule == beam::FbRule::Notice) {
        const std::string refusal = beam::basisRefusal(b);
        if (!refusal.empty()) {
            if (why)
                *why = qs(refusal);
            return std::nullopt;
        }
    }
    return b;
}

void BasisDialog::accept()
{
    QString why;
    if (!basis(&why)) {
        QMessageBox::information(this, QStringLiteral("KOVEL"), why);
        return;
    }
    QDialog::accept();
}
