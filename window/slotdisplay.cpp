#include "window/slotdisplay.h"

#include "beam/diagrams.h"
#include "printing/qtcanvas.h"
#include "results/slotview.h"
#include "results/store.h"
#include "window/boxrules.h"
#include "window/dialogs.h"
#include "window/fieldgroup.h"
#include "window/fittext.h"
#include "window/imagebutton.h"
#include "window/pictures.h"
#include "window/style.h"
#include "window/valuelabel.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

using namespace style;

namespace {

// The panel's place on page 2; the groups are placed in page coordinates through inPanel.
constexpr QRect kPanel(248, 0, 529, 489);

QRect inPanel(const QRect &onPage)
{
    return onPage.translated(-kPanel.topLeft());
}

struct BoxSpec {
    const char *name;
    QRect geometry;
};
struct CaptionSpec {
    const char *text;
    QRect geometry;
};

// The settings group (248, 0, 313 x 97).
constexpr BoxSpec kSettingCopies[] = {
    {"listspan", QRect(86, 16, 56, 20)},
    {"listlb", QRect(182, 16, 56, 20)},
    {"listseigen1", QRect(66, 42, 36, 20)},
    {"listseigen2", QRect(152, 42, 36, 20)},
};
constexpr CaptionSpec kSettingCaptions[] = {
    {"スパン長さ(m)", QRect(6, 19, 80, 14)}, {"lb(m)", QRect(148, 19, 34, 14)},
    {"たわみ制限", QRect(6, 45, 60, 14)},    {"／L", QRect(104, 45, 20, 14)},
    {"かつ", QRect(126, 45, 24, 14)},        {"cm以下", QRect(190, 45, 40, 14)},
    {"計算部材", QRect(6, 71, 48, 14)},
};

// The loads group (248, 96, 313 x 393).
constexpr int kPointRow0 = 120; // y of P1 in the group
constexpr int kPointPitch = 21;
constexpr int kPartRow0 = 330; // y of load a in the group
constexpr int kPartPitch = 20;
constexpr const char *kPartSuffix = "abc";

// The results group (558, 261, 219 x 228): caption, shown text, unit label or fixed unit.
struct ResultRow {
    const char *caption;
    const char *name;
    const char *unitLabel;
    const char *unit;
};
constexpr ResultRow kResultRows[] = {
    {"最大曲げモーメント", "listMmax", "Label70", nullptr},
    {"最大曲げ発生位置", "listMmaxl", nullptr, "(m)"},
    {"曲げ応力度 σb", "listsigmab", "Label75", nullptr},
    {"許容曲げ応力度 fb", "listfb", "Label76", nullptr},
    {"支点反力 Q(A)", "listQa", "Label71", nullptr},
    {"支点反力 Q(B)", "listQb", "Label72", nullptr},
    {"最大たわみ δ", "listdelta", nullptr, "(cm)"},
    {"σb/fb", "listratio", nullptr, nullptr},
    {"= L/", "listlx", nullptr, nullptr},
    {"判定", "listhantei", nullptr, nullptr},
};

// The unit captions, their texts in results::UnitCaptions and whether they take the colour.
struct UnitBinding {
    const char *name;
    std::string results::UnitCaptions::*text;
    bool coloured;
};
constexpr UnitBinding kUnitBindings[] = {
    {"Label70", &results::UnitCaptions::Label70, true}, {"Label71", &results::UnitCaptions::Label71, true},
    {"Label72", &results::UnitCaptions::Label72, true}, {"Label75", &results::UnitCaptions::Label75, true},
    {"Label76", &results::UnitCaptions::Label76, true}, {"Label81", &results::UnitCaptions::Label81, true},
    {"Label83", &results::UnitCaptions::Label83, false}, {"Label86", &results::UnitCaptions::Label86, true},
    {"Label87", &results::UnitCaptions::Label87, true},
};
static_assert(std::size(kUnitBindings) <= 10);

// The single texts of a slot view and the control that shows each.
struct ViewBinding {
    const char *control;
    std::string results::SlotView::*text;
};
constexpr ViewBinding kViewBindings[] = {
    {"listspan", &results::SlotView::listspan},     {"listlb", &results::SlotView::listlb},
    {"listseigen1", &results::SlotView::listseigen1}, {"listseigen2", &results::SlotView::listseigen2},
    {"calcunit", &results::SlotView::calcunit},     {"listweak", &results::SlotView::listweak},
    {"listterm", &results::SlotView::listterm},     {"listuniform", &results::SlotView::listuniform},
    {"listshiki", &results::SlotView::listshiki},   {"listjijuu", &results::SlotView::listjijuu},
    {"listtype", &results::SlotView::listtype},     {"listmember", &results::SlotView::listmember},
    {"listMmax", &results::SlotView::listMmax},     {"listMmaxl", &results::SlotView::listMmaxl},
    {"listsigmab", &results::SlotView::listsigmab}, {"listfb", &results::SlotView::listfb},
    {"listratio", &results::SlotView::listratio},   {"listQa", &results::SlotView::listQa},
    {"listQb", &results::SlotView::listQb},         {"listdelta", &results::SlotView::listdelta},
    {"listlx", &results::SlotView::listlx},         {"listhantei", &results::SlotView::listhantei},
};

constexpr int kListStressWidth = 193; // the stress diagram of this page is narrower than page 1's

// The input-page box a read-out copy stands for ("listspan" -> "Span", "listp3" -> "p3").
QString inputBoxOf(const QString &copy)
{
    const QString box = copy.mid(4);
    return box == QLatin1String("span") ? QStringLiteral("Span") : box;
}

// The copies that are bound to the field rules of their input-page namesakes.
bool isBoundCopy(const QString &name)
{
    return name != QLatin1String("listmember") && name != QLatin1String("listtype");
}

} // namespace

SlotDisplay::SlotDisplay(Dialogs &dialogs, BoxRules &rules, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_rules(rules)
{
    setObjectName(QStringLiteral("slotDisplay"));
    setGeometry(kPanel);
    setupSettingsGroup();
    setupLoadsGroup();
    setupDiagrams();
    setupResultsGroup();
}

QLineEdit *SlotDisplay::makeCopy(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(qs(name));
    e->setGeometry(geometry);
    e->setReadOnly(true); // the page only shows the slot; the slot changes through its commands
    e->setFocusPolicy(Qt::ClickFocus);
    e->setTextMargins(1, 0, 1, 0);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, kWhite);
    e->setPalette(pal);
    fit::keepReadable(e);
    m_copies.insert(e->objectName(), e);
    if (isBoundCopy(e->objectName()))
        e->installEventFilter(this);
    return e;
}

QLabel *SlotDisplay::makeValue(QWidget *parent, const char *name, const QRect &geometry, Qt::Alignment align)
{
    auto *l = new ValueLabel(parent);
    l->setObjectName(qs(name));
    l->setGeometry(geometry);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(align | Qt::AlignVCenter);
    l->setAutoFillBackground(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, kWhite);
    l->setPalette(pal);
    m_values.insert(l->objectName(), l);
    return l;
}

QLabel *SlotDisplay::makeCaption(QWidget *parent, const QString &text, const QRect &geometry, const char *name)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    if (name) {
        l->setObjectName(qs(name));
        for (std::size_t i = 0; i < std::size(kUnitBindings); ++i)
            if (qstrcmp(kUnitBindings[i].name, name) == 0)
                m_unitLabels[i] = l;
    }
    return l;
}

void SlotDisplay::setupSettingsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listSettingsGroup"));
    g->setGeometry(inPanel(QRect(248, 0, 313, 97)));
    for (const BoxSpec &b : kSettingCopies)
        makeCopy(g, b.name, b.geometry);
    for (const CaptionSpec &c : kSettingCaptions)
        makeCaption(g, qs(c.text), c.geometry);
    makeCopy(g, "listmember", QRect(56, 68, 134, 20));
    auto *calcunit = makeValue(g, "calcunit", QRect(244, 16, 62, 20), Qt::AlignHCenter);
    calcunit->setFrameStyle(QFrame::NoFrame);
    calcunit->setAutoFillBackground(false);
    for (const auto &[name, geometry] : {std::pair{"listweak", QRect(236, 45, 74, 14)},
                                         std::pair{"listterm", QRect(196, 71, 114, 14)}}) {
        QLabel *l = makeCaption(g, QString(), geometry);
        l->setObjectName(qs(name));
        m_values.insert(l->objectName(), l);
    }
}

void SlotDisplay::setupLoadsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listLoadsGroup"));
    g->setGeometry(inPanel(QRect(248, 96, 313, 393)));

    // 1) the uniform load
    makeCaption(g, QStringLiteral("1） 等分布荷重"), QRect(6, 10, 120, 16));
    makeCaption(g, QStringLiteral("w ="), QRect(14, 33, 24, 14));
    makeCopy(g, "listuniform", QRect(40, 30, 60, 20));
    makeCaption(g, QString(), QRect(104, 33, 56, 14), "Label81");
    auto *jijuu = makeCaption(g, QString(), QRect(164, 33, 144, 14));
    jijuu->setObjectName(QStringLiteral("listjijuu"));
    m_values.insert(jijuu->objectName(), jijuu);
    makeCaption(g, QStringLiteral("（計算式）"), QRect(14, 57, 60, 14));
    QLineEdit *shiki = makeCopy(g, "listshiki", QRect(76, 54, 230, 20));
    shiki->setFont(smallFont(shiki->font()));

    // 2) the point loads
    makeCaption(g, QStringLiteral("2) 集中荷重"), QRect(6, 82, 120, 16));
    makeCaption(g, QString(), QRect(30, 102, 62, 14), "Label83");
    makeCaption(g, QStringLiteral("Li (m)"), QRect(98, 102, 62, 14));
    for (int k = 1; k <= 8; ++k) {
        const int y = kPointRow0 + kPointPitch * (k - 1);
        makeCaption(g, QStringLiteral("P%1").arg(k), QRect(8, y + 3, 20, 14));
        makeCopy(g, qPrintable(QStringLiteral("listp%1").arg(k)), QRect(28, y, 64, 19));
        makeCopy(g, qPrintable(QStringLiteral("listpl%1").arg(k)), QRect(96, y, 64, 19));
    }
    m_listcond = new QLabel(g);
    m_listcond->setObjectName(QStringLiteral("listcond"));
    m_listcond->setGeometry(174, 146, 128, 64);
    m_listcond->setAlignment(Qt::AlignCenter);

    // 3) the part-span loads a, b, c
    makeCaption(g, QStringLiteral("3) 任意形分布荷重"), QRect(6, 292, 140, 16));
    const std::pair<const char *, const char *> heads[] = {
        {"Label86", nullptr}, {"Label87", nullptr}, {nullptr, "LD1(m)"}, {nullptr, "LD2(m)"}, {nullptr, "LD3(m)"}};
    for (int c = 0; c < 5; ++c) {
        QLabel *head = makeCaption(g, heads[c].second ? qs(heads[c].second) : QString(),
                                   QRect(20 + 58 * c, 312, 56, 14), heads[c].first);
        head->setFont(smallFont(head->font()));
        head->setAlignment(Qt::AlignHCenter);
    }
    for (int j = 0; j < 3; ++j) {
        const QChar suffix = QLatin1Char(kPartSuffix[j]);
        const int y = kPartRow0 + kPartPitch * j;
        makeCaption(g, QString(suffix), QRect(8, y + 3, 12, 14));
        const QString names[] = {QStringLiteral("listw1"), QStringLiteral("listw2"), QStringLiteral("listld1"),
                                 QStringLiteral("listld2"), QStringLiteral("listld3")};
        for (int c = 0; c < 5; ++c)
            makeCopy(g, qPrintable(names[c] + suffix), QRect(20 + 58 * c, y, 56, 19));
    }
    // the section kind code of the slot, kept but not shown
    makeCopy(g, "listtype", QRect(0, 0, 10, 10))->hide();
}

void SlotDisplay::setupDiagrams()
{
    const QFont fixed = QtCanvas::diagramFont();

    auto *load = new QGroupBox(QStringLiteral("荷重図"), this);
    load->setObjectName(QStringLiteral("listKajuuzuGroup"));
    load->setGeometry(inPanel(QRect(558, 0, 219, 137)));
    m_listkajuuzu = new QLabel(load);
    m_listkajuuzu->setObjectName(QStringLiteral("listkajuuzu"));
    m_listkajuuzu->setGeometry(13, 15, beam::kLoadDiagramWidth, beam::kLoadDiagramHeight);
    auto caption = [&](const char *name, const QString &text, const QRect &geometry, Qt::Alignment align) {
        auto *l = new QLabel(text, load);
        l->setObjectName(qs(name));
        l->setGeometry(geometry);
        l->setFont(fixed);
        l->setAlignment(align | Qt::AlignTop);
        return l;
    };
    m_lista = caption("lista", QStringLiteral("A"), QRect(17, 120, 12, 14), Qt::AlignHCenter);
    m_listb = caption("listb", QStringLiteral("B"), QRect(187, 120, 12, 14), Qt::AlignHCenter);
    m_listkajuuzuL = caption("listkajuuzuL", QString(), QRect(58, 120, 100, 14), Qt::AlignHCenter);

    auto *stress = new QGroupBox(QStringLiteral("応力図"), this);
    stress->setObjectName(QStringLiteral("listOuryokuzuGroup"));
    stress->setGeometry(inPanel(QRect(558, 136, 219, 129)));
    m_listouryokuzu = new QLabel(stress);
    m_listouryokuzu->setObjectName(QStringLiteral("listouryokuzu"));
    m_listouryokuzu->setGeometry(13, 16, kListStressWidth, beam::kStressDiagramHeight);
    m_Menda1 = panel::makeMomentLabel(stress, "Menda1", QRect(15, 17, 64, 13), Qt::AlignLeft);
    m_Mendb1 = panel::makeMomentLabel(stress, "Mendb1", QRect(140, 17, 64, 13), Qt::AlignRight);
    m_Mcent1 = panel::makeMomentLabel(stress, "Mcent1", QRect(77, 108, 64, 13), Qt::AlignHCenter);

    // drawn at the screen's density, shown at these sizes in logical pixels
    m_loadImage = newDiagramImage(QSize(beam::kLoadDiagramWidth, beam::kLoadDiagramHeight), devicePixelRatioF());
    m_stressImage = newDiagramImage(QSize(kListStressWidth, beam::kStressDiagramHeight), devicePixelRatioF());
}

void SlotDisplay::setupResultsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listResultsGroup"));
    g->setGeometry(inPanel(QRect(558, 261, 219, 228)));
    int y = 10;
    for (const ResultRow &r : kResultRows) {
        makeCaption(g, qs(r.caption), QRect(6, y + 2, 98, 14));
        makeValue(g, r.name, QRect(107, y, 52, 17), Qt::AlignRight);
        if (r.unitLabel)
            makeCaption(g, QString(), QRect(161, y + 2, 56, 14), r.unitLabel);
        else if (r.unit)
            makeCaption(g, qs(r.unit), QRect(161, y + 2, 56, 14));
        y += 19;
    }
    m_values.value(QStringLiteral("listhantei"))->setAlignment(Qt::AlignCenter);
    // the unit column of the σb/fb row is free: the shear ratio of the notice rule
    m_listShear = new ValueLabel(g); // a ratio too wide for the column is drawn smaller
    m_listShear->setObjectName(QStringLiteral("listShear"));
    m_listShear->setGeometry(161, 10 + 7 * 19 + 2, 56, 14);

    auto *exit = new ImageButton(g);
    exit->setObjectName(QStringLiteral("shuuryou2"));
    const QSize size = pictures::kCommandSize;
    exit->setGeometry(QRect(QPoint(219 - size.width() - 6, 228 - size.height() - 6), size));
    exit->setPixmap(pictures::command("終了", pictures::kDeleteFace));
    exit->setToolTip(QStringLiteral("KOVELを終了します"));
    exit->setCursor(Qt::PointingHandCursor);
    connect(exit, &ImageButton::clicked, this, &SlotDisplay::exitRequested);
}

// ---------------------------------------------------------------- showing a slot

void SlotDisplay::clearMoments()
{
    m_Mcent1->clear();
    m_Mendb1->clear();
    m_Menda1->clear();
}

void SlotDisplay::fill(const results::SlotView &view, const results::SlotRecord *record)
{
    fillView(view);
    showBasis(view, record);
    if (view.drawDiagrams && record)
        drawDiagrams(view, *record);
    else
        clearDiagrams();
}

void SlotDisplay::showBasis(const results::SlotView &view, const results::SlotRecord *record)
{
    std::optional<beam::NoticeTexts> notice;
    if (record)
        notice = results::noticeTexts(*record);
    const QString ratio = notice && !notice->Rshear.empty() ? QStringLiteral("τ/fs ") + qs(notice->Rshear) : QString();
    const QString basis = notice ? qs(beam::noticeLabel(*notice) + "\n" + beam::shearSummary(*notice, view.units.Label76))
                                 : QString();
    m_listShear->setText(ratio);
    m_listShear->setToolTip(basis);
    m_values.value(QStringLiteral("listfb"))->setToolTip(basis);
}

void SlotDisplay::fillView(const results::SlotView &view)
{
    // Only shown: looking at a slot never discards a result waiting on the input page.
    auto show = [&](const QString &name, const std::string &text) {
        const QString value = qs(text);
        if (QLineEdit *copy = m_copies.value(name)) {
            if (copy->text() == value)
                return;
            copy->setText(value);
            copy->setCursorPosition(0);
        } else if (QLabel *label = m_values.value(name)) {
            label->setText(value);
        }
    };
    for (const ViewBinding &b : kViewBindings)
        show(qs(b.control), view.*b.text);
    for (std::size_t k = 0; k < 8; ++k) {
        show(QStringLiteral("listp%1").arg(k + 1), view.listp[k]);
        show(QStringLiteral("listpl%1").arg(k + 1), view.listpl[k]);
    }
    for (std::size_t j = 0; j < 3; ++j) {
        const QChar suffix = QLatin1Char(kPartSuffix[j]);
        show(QStringLiteral("listw1") + suffix, view.listw1[j]);
        show(QStringLiteral("listw2") + suffix, view.listw2[j]);
        show(QStringLiteral("listld1") + suffix, view.listld1[j]);
        show(QStringLiteral("listld2") + suffix, view.listld2[j]);
        show(QStringLiteral("listld3") + suffix, view.listld3[j]);
    }

    const results::UnitCaptions &units = view.units;
    for (std::size_t i = 0; i < std::size(kUnitBindings); ++i) {
        QLabel *l = m_unitLabels[i];
        l->setText(qs(units.*kUnitBindings[i].text));
        if (kUnitBindings[i].coloured)
            setTextColour(l, QColor(units.colour.r, units.colour.g, units.colour.b));
    }

    // the support picture; a missing file is reported and the slot is still shown whole
    if (view.listcond) {
        const QString path = m_shapepath + QLatin1Char('/') + qs(*view.listcond);
        QPixmap picture;
        if (picture.load(path))
            m_listcond->setPixmap(picture);
        else
            m_dialogs.inform(
                QStringLiteral("図のファイル「%1」を読み込めませんでした。").arg(QDir::toNativeSeparators(path)));
    }
}

void SlotDisplay::drawDiagrams(const results::SlotView &view, const results::SlotRecord &record)
{
    m_lista->show();
    m_listb->show();
    m_listkajuuzuL->setText(qs(view.listkajuuzuL));

    beam::LoadDiagramTexts load;
    load.span = view.listspan;
    load.uniform = view.listuniform;
    load.p = view.listp;
    load.pl = view.listpl;
    load.w1 = view.listw1;
    load.w2 = view.listw2;
    load.ld1 = view.listld1;
    load.ld2 = view.listld2;

    beam::StressDiagramTexts stress;
    for (std::size_t i = 0; i < stress.moments.size(); ++i)
        stress.moments[i] = record[static_cast<std::size_t>(results::kFirstMomentField) + i];
    stress.mmax = view.listMmax;
    stress.qa = view.listQa;
    stress.qb = view.listQb;
    {
        QPainter painter(&m_loadImage);
        QtCanvas canvas(painter);
        beam::drawLoadDiagram(canvas, load);
    }
    {
        QPainter painter(&m_stressImage);
        QtCanvas canvas(painter);
        beam::drawStressDiagram(canvas, stress, beam::ReactionText::AsStored);
    }
    m_listkajuuzu->setPixmap(QPixmap::fromImage(m_loadImage));
    m_listouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
    m_Menda1->setText(qs(view.Menda1));
    m_Mendb1->setText(qs(view.Mendb1));
    m_Mcent1->setText(qs(view.Mcent1));
}

void SlotDisplay::clearDiagrams()
{
    m_lista->hide();
    m_listb->hide();
    m_listkajuuzuL->clear();
    m_loadImage.fill(kWhite);
    m_stressImage.fill(kWhite);
    m_listkajuuzu->setPixmap(QPixmap::fromImage(m_loadImage));
    m_listouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
}

bool SlotDisplay::eventFilter(QObject *watched, QEvent *event)
{
    // the read-out copies act on their input-page namesakes
    auto *copy = qobject_cast<QLineEdit *>(watched);
    if (copy && m_copies.contains(copy->objectName()) && m_rules.handle(inputBoxOf(copy->objectName()), event))
        return true;
    return QWidget::eventFilter(watched, event);
}
