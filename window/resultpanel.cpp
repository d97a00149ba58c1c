#include "window/resultpanel.h"

#include "window/fieldgroup.h"
#include "window/imagebutton.h"
#include "printing/qtcanvas.h"
#include "window/valuelabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>

using namespace panel;
using namespace style;

namespace {

const QString kNotCalculated = QString::fromUtf8(beam::kVerdictNone);

struct ResultSpec {
    const char *name;
    const char *caption;
    const char *unitLabel; // the name of the label that shows the unit system's unit
    const char *unit;      // a fixed unit text
};
constexpr ResultSpec kResultRows[] = {
    {"RMmax", "最大曲げモーメント", "Label37", nullptr},
    {"RMmaxl", "最大曲げ発生位置", nullptr, "(m)"},
    {"RQa", "支点反力 Q(A)", "Label44", nullptr},
    {"RQb", "支点反力 Q(B)", "Label45", nullptr},
    {"RSigmab", "曲げ応力度 σb", "Label48", nullptr},
    {"Rfb", "許容曲げ応力度 fb", "Label49", nullptr},
    {"Rratio", "σb/fb", nullptr, nullptr},
    {"Rdelta", "最大たわみ δ", nullptr, "(cm)"},
    {"Rlx", "= L/", nullptr, nullptr},
    {"hantei", "判定", nullptr, nullptr},
};

// The result fields and the record member each one shows.
struct ResultField {
    const char *name;
    std::string beam::ResultTexts::*text;
};
constexpr ResultField kFields[] = {
    {"RMmax", &beam::ResultTexts::RMmax},   {"RMmaxl", &beam::ResultTexts::RMmaxl},
    {"RSigmab", &beam::ResultTexts::RSigmab}, {"Rfb", &beam::ResultTexts::Rfb},
    {"Rratio", &beam::ResultTexts::Rratio}, {"RQa", &beam::ResultTexts::RQa},
    {"RQb", &beam::ResultTexts::RQb},       {"Rdelta", &beam::ResultTexts::Rdelta},
    {"Rlx", &beam::ResultTexts::Rlx},
};

} // namespace

ResultPanel::ResultPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("resultPanel"));
    setGeometry(564, 0, 218, 476);
    m_mgrid.fill(std::string());
    setupResults();
    setupDiagrams();
}

void ResultPanel::setupResults()
{
    auto *g = new QGroupBox(QStringLiteral("計算結果"), this);
    g->setObjectName(QStringLiteral("resultGroup"));
    g->setGeometry(0, 264, 218, 212);
    int y = 16;
    for (const ResultSpec &r : kResultRows) {
        makeLabel(g, QString::fromUtf8(r.caption), QRect(6, y + 2, 98, 14));
        auto *value = new ValueLabel(g);
        value->setObjectName(QString::fromUtf8(r.name));
        value->setGeometry(104, y, 54, 17);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAutoFillBackground(true);
        QPalette pal = value->palette();
        pal.setColor(QPalette::Window, kWhite);
        value->setPalette(pal);
        m_results.insert(value->objectName(), value);
        if (r.unitLabel)
            makeLabel(g, QString(), QRect(161, y + 2, 56, 14), QString::fromUtf8(r.unitLabel));
        else if (r.unit)
            makeLabel(g, QString::fromUtf8(r.unit), QRect(161, y + 2, 56, 14));
        y += 19;
    }
    m_hantei = m_results.value(QStringLiteral("hantei"));
    m_hantei->setText(kNotCalculated);
    m_hantei->setAlignment(Qt::AlignCenter);
    // The unit column of the σb/fb row is free: the shear ratio of the notice rule.
    auto *shear = new ValueLabel(g); // a ratio too wide for the column is drawn smaller
    shear->setObjectName(QStringLiteral("shearRatio"));
    shear->setGeometry(161, 16 + 6 * 19 + 2, 56, 14);
    m_shearRatio = shear;
}

void ResultPanel::showNotice(const std::optional<beam::NoticeTexts> &notice)
{
    m_notice = notice;
    const bool ratio = notice && !notice->Rshear.empty();
    m_shearRatio->setText(ratio ? QStringLiteral("τ/fs ") + qs(notice->Rshear) : QString());
    m_shearRatio->setToolTip(notice ? qs(beam::shearSummary(*notice, "")) : QString());
}

void ResultPanel::setupDiagrams()
{
    const QFont fixed = QtCanvas::diagramFont();

    auto *load = new QGroupBox(QStringLiteral("荷重図"), this);
    load->setObjectName(QStringLiteral("kajuuzuGroup"));
    load->setGeometry(0, 0, 218, 144);
    m_kajuuzu = new QLabel(load);
    m_kajuuzu->setObjectName(QStringLiteral("kajuuzu"));
    m_kajuuzu->setGeometry(12, 16, beam::kLoadDiagramWidth, beam::kLoadDiagramHeight);
    auto caption = [&](const char *name, const QString &text, const QRect &geometry) {
        auto *l = new ImageButton(load);
        l->setObjectName(QString::fromUtf8(name));
        l->setText(text);
        l->setGeometry(geometry);
        l->setFont(fixed);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setTextColour(l, Qt::black);
        connect(l, &ImageButton::clicked, this, &ResultPanel::spanCaptionClicked);
        return l;
    };
    caption("kajuuA", QStringLiteral("A"), QRect(16, 123, 12, 14));
    caption("kajuuB", QStringLiteral("B"), QRect(186, 123, 12, 14));
    m_kajuuL = caption("kajuuL", QString(), QRect(57, 123, 100, 14));

    auto *stress = new QGroupBox(QStringLiteral("応力図"), this);
    stress->setObjectName(QStringLiteral("ouryokuzuGroup"));
    stress->setGeometry(0, 146, 218, 116);
    m_ouryokuzu = new QLabel(stress);
    m_ouryokuzu->setObjectName(QStringLiteral("ouryokuzu"));
    m_ouryokuzu->setGeometry(8, 18, beam::kStressDiagramWidth, beam::kStressDiagramHeight);
    m_Menda = makeMomentLabel(stress, "Menda", QRect(10, 19, 64, 13), Qt::AlignLeft);
    m_Mendb = makeMomentLabel(stress, "Mendb", QRect(142, 19, 64, 13), Qt::AlignRight);
    m_Mcent = makeMomentLabel(stress, "Mcent", QRect(76, 93, 64, 13), Qt::AlignHCenter);

    // drawn at the screen's density, shown at these sizes in logical pixels
    m_stressImage = newDiagramImage(QSize(beam::kStressDiagramWidth, beam::kStressDiagramHeight), devicePixelRatioF());
    m_ouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
}

QString ResultPanel::field(const char *name) const
{
    return m_results.value(QString::fromUtf8(name))->text();
}

void ResultPanel::drawLoadDiagram(const beam::LoadDiagramTexts &in)
{
    if (m_loadImage.isNull())
        m_loadImage = newDiagramImage(QSize(beam::kLoadDiagramWidth, beam::kLoadDiagramHeight), devicePixelRatioF());
    {
        QPainter painter(&m_loadImage);
        QtCanvas canvas(painter);
        beam::drawLoadDiagram(canvas, in);
    }
    m_kajuuzu->setPixmap(QPixmap::fromImage(m_loadImage));
}

void ResultPanel::setSpanCaption(const QString &span)
{
    m_kajuuL->setText(span);
}

void ResultPanel::sakuzu()
{
    drawStressDiagram(beam::ReactionText::Reformatted);
}

// The diagram of the moments shown, scaled by the maximum moment field; the reactions
// under it as `reactions` says.
void ResultPanel::drawStressDiagram(beam::ReactionText reactions)
{
    beam::StressDiagramTexts in;
    in.moments = m_mgrid;
    in.mmax = ss(field("RMmax"));
    in.qa = ss(field("RQa"));
    in.qb = ss(field("RQb"));
    {
        QPainter painter(&m_stressImage);
        QtCanvas canvas(painter);
        beam::drawStressDiagram(canvas, in, reactions);
    }
    m_ouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
}

void ResultPanel::showResult(const beam::ResultTexts &r)
{
    for (const ResultField &f : kFields)
        m_results.value(QString::fromUtf8(f.name))->setText(qs(r.*f.text));
    m_Mcent->setText(qs(r.Mcent));
    m_Menda->setText(qs(r.Menda));
    m_Mendb->setText(qs(r.Mendb));
    m_mgrid = r.Mgrid;
    m_hantei->setText(qs(r.hantei));
    showNotice(r.notice);
    sakuzu();
}

void ResultPanel::setResultFields(const beam::ResultTexts &r)
{
    for (const ResultField &f : kFields)
        m_results.value(QString::fromUtf8(f.name))->setText(qs(r.*f.text));
    m_hantei->setText(qs(r.hantei));
    showNotice(r.notice);
}

void ResultPanel::setMoments(const beam::ResultTexts &r)
{
    m_Mcent->setText(qs(r.Mcent));
    m_Menda->setText(qs(r.Menda));
    m_Mendb->setText(qs(r.Mendb));
    m_mgrid = r.Mgrid;
    sakuzu();
}

void ResultPanel::readResult(beam::ResultTexts &r) const
{
    for (const ResultField &f : kFields)
        r.*f.text = ss(field(f.name));
    r.hantei = ss(m_hantei->text());
    r.Mcent = ss(m_Mcent->text());
    r.Menda = ss(m_Menda->text());
    r.Mendb = ss(m_Mendb->text());
    r.Mgrid = m_mgrid;
    r.notice = m_notice;
}

void ResultPanel::clearUnitFields()
{
    // the diagram keeps its shape (drawn while the maximum moment is still shown) and
    // loses its numbers, as do the moment labels on it
    drawStressDiagram(beam::ReactionText::Hidden);
    for (QLabel *moment : {m_Menda, m_Mendb, m_Mcent})
        moment->clear();
    for (const ResultSpec &r : kResultRows)
        if (r.unitLabel)
            m_results.value(QString::fromUtf8(r.name))->clear();
}

QString ResultPanel::verdict() const
{
    return m_hantei->text();
}

void ResultPanel::setVerdict(const QString &verdict)
{
    m_hantei->setText(verdict);
}
