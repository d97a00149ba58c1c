#include "window/inputpage.h"

#include "beam/diagrams.h"
#include "beam/fieldrules.h"
#include "beam/input.h"
#include "beam/numtext.h"
#include "sections/namedbeam.h"
#include "sections/selection.h"
#include "window/boxrules.h"
#include "window/dialogs.h"
#include "window/fieldgroup.h"
#include "window/imagebutton.h"
#include "window/loadgroups.h"
#include "window/resultpanel.h"
#include "window/sectionpanel.h"
#include "window/supportpanel.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace panel;
using namespace style;

namespace {

// The texts of the hidden button `keisan2`, which shows the fresh-result flag.
const QString kStart = QStringLiteral("計算開始");
const QString kStored = QStringLiteral("結果登録");
const QString kNotCalculated = QString::fromUtf8(beam::kVerdictNone);
const QString kFinished = QStringLiteral("計算が終了しました。変更がなければ[格納]ボタンを押して下さい。");

// ---- the unit labels of the panels: SI text, traditional text ----
struct UnitSpec {
    const char *name;
    const char *si;
    const char *traditional;
};
constexpr UnitSpec kUnits[] = {
    {"Label4", "(kN/m)", "(tf/m)"},       {"Label6", "Pi(kN)", "Pi(tf)"},
    {"Label39", "w1(kN/m)", "w1(tf/m)"},  {"Label40", "w2(kN/m)", "w2(tf/m)"},
    {"Label37", "(kN-m)", "(tf-m)"},      {"Label44", "(kN)", "(tf)"},
    {"Label45", "(kN)", "(tf)"},          {"Label48", "(kN/cm2)", "(tf/cm2)"},
    {"Label49", "(kN/cm2)", "(tf/cm2)"},
};

// Boxes that are not Tab stops: one moves between them with Enter or the mouse.
constexpr const char *kTabStops[] = {"Bname", "member", "inertia", "modulus", "selfw"};

} // namespace

InputPage::InputPage(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_rules(m_edits, [this] { return m_section->dimensionShape(); })
{
    setObjectName(QStringLiteral("inputPage"));
    m_keisan2 = new QPushButton(kStart, this);
    m_keisan2->setObjectName(QStringLiteral("keisan2"));
    m_keisan2->hide();

    m_beam = new BeamGroup(this);
    m_uniform = new UniformGroup(dialogs, this);
    m_point = new PointGroup(this);
    m_part = new PartGroup(this);
    m_support = new SupportPanel(dialogs, this);
    m_section = new SectionPanel(dialogs, this);
    setupCommandImages();
    m_results = new ResultPanel(this);

    connect(m_beam, &BeamGroup::spanChanged, this, &InputPage::inputChanged);
    connect(m_beam, &BeamGroup::conditionChanged, this, &InputPage::invalidate);
    connect(m_beam, &BeamGroup::unitSystemChanged, this, [this](bool si) {
        setUnitCaptions(si);
        // the shown numbers were computed in the other unit system; a recall sets the
        // unit of the results it has just shown
        if (!m_recalling)
            m_results->clearUnitFields();
        invalidate();
    });
    connect(m_uniform, &UniformGroup::loadChanged, this, &InputPage::inputChanged);
    connect(m_uniform, &UniformGroup::conditionChanged, this, &InputPage::invalidate);
    connect(m_point, &PointGroup::loadChanged, this, &InputPage::inputChanged);
    connect(m_part, &PartGroup::loadChanged, this, &InputPage::inputChanged);
    connect(m_support, &SupportPanel::supportChanged, this, &InputPage::invalidate);
    connect(m_section, &SectionPanel::sectionChanged, this, &InputPage::invalidate);
    connect(m_section, &SectionPanel::designChanged, this, [this] { setFreshResult(FreshResult::MayCalculate); });
    connect(m_results, &ResultPanel::spanCaptionClicked, this,
            [this] { edit(QStringLiteral("Span"))->setFocus(Qt::OtherFocusReason); });

    for (const FieldGroup *group : std::initializer_list<const FieldGroup *>{m_beam, m_uniform, m_point, m_part, m_section})
        for (QLineEdit *e : group->boxes())
            m_edits.insert(e->objectName(), e);
    for (QLineEdit *e : std::as_const(m_edits)) {
        const QString name = e->objectName();
        bool tabStop = false;
        for (const char *t : kTabStops)
            tabStop = tabStop || name == QLatin1String(t);
        e->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        e->installEventFilter(this);
    }
    setBoxColour(edit(QStringLiteral("Span")), beam::BoxColour::Aqua);
    m_results->setSpanCaption(text("Span"));
    kajuuzu();
    setUnitCaptions(true);
}

// The command images under the section group: calculate, store, exit.
void InputPage::setupCommandImages()
{
    struct ImageSpec {
        const char *name;
        const char *image;
        const char *hint;
        QRect geometry;
        void (InputPage::*click)();
    };
    const ImageSpec images[] = {
        {"keisan", "keisan.png", "計算を開始します", QRect(350, 432, 64, 44), &InputPage::keisanClick},
        {"kakunou", "kakunou.png", "計算結果表に格納します", QRect(422, 432, 64, 44), &InputPage::kakunouClick},
        {"shuuryou", "shuuryou.png", "KOVELを終了します", QRect(494, 432, 64, 44), &InputPage::exitRequested},
    };
    for (const ImageSpec &s : images) {
        auto *b = new ImageButton(this);
        b->setObjectName(QString::fromUtf8(s.name));
        b->setGeometry(s.geometry);
        b->setPixmap(imageResource(s.image));
        b->setToolTip(QString::fromUtf8(s.hint));
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &ImageButton::clicked, this, s.click);
    }
}

QLineEdit *InputPage::edit(const QString &name) const
{
    return m_edits.value(name);
}

QString InputPage::text(const char *name) const
{
    return edit(QString::fromUtf8(name))->text();
}

// ---------------------------------------------------------------- state and wiring

void InputPage::setPaths(const QString &filepath, const QString &shapepath, const QString &workDir)
{
    m_filepath = filepath;
    m_section->setPaths(filepath, workDir);
    m_support->setPicturePath(shapepath);
}

void InputPage::setSi157Source(std::function<bool()> si157)
{
    m_si157 = std::move(si157);
}

void InputPage::setResultTable(const results::Table *table)
{
    m_support->setResultTable(table);
}

void InputPage::setMembers(const sections::MemberList *members)
{
    m_section->setMembers(members);
}

void InputPage::refreshUserList()
{
    m_section->refreshUserList();
}

void InputPage::setFreshResult(FreshResult fresh)
{
    m_fresh = fresh;
    m_keisan2->setText(fresh == FreshResult::WaitsForStore ? kStored : kStart);
}

QString InputPage::keisan2() const
{
    return m_keisan2->text();
}

void InputPage::setKeisan2(const QString &flag)
{
    setFreshResult(flag == kStored ? FreshResult::WaitsForStore : FreshResult::MayCalculate);
}

QString InputPage::flag1() const
{
    return m_section->flag1();
}

const beam::MomentGrid &InputPage::mgrid() const
{
    return m_results->mgrid();
}

void InputPage::setMgrid(const beam::MomentGrid &cells)
{
    m_results->setMgrid(cells);
}

const QImage &InputPage::loadDiagramImage() const
{
    return m_results->loadDiagramImage();
}

const QImage &InputPage::stressDiagramImage() const
{
    return m_results->stressDiagramImage();
}

void InputPage::invalidate()
{
    setFreshResult(FreshResult::MayCalculate);
    m_results->setVerdict(kNotCalculated);
}

void InputPage::inputChanged()
{
    invalidate();
    m_results->setSpanCaption(text("Span"));
    kajuuzu();
}

void InputPage::setUnitCaptions(bool si)
{
    for (const UnitSpec &u : kUnits)
        if (auto *l = findChild<QLabel *>(QString::fromUtf8(u.name))) {
            l->setText(QString::fromUtf8(si ? u.si : u.traditional));
            setTextColour(l, si ? kNavy : kRed);
        }
}

// The point and part-span load texts into any record that names them p, pl, w1, w2,
// ld1, ld2 (the check's input and the load diagram's).
template <class Texts>
void InputPage::readLoadTexts(Texts &in) const
{
    for (std::size_t k = 0; k < 8; ++k) {
        in.p[k] = ss(edit(QStringLiteral("p%1").arg(k + 1))->text());
        in.pl[k] = ss(edit(QStringLiteral("pl%1").arg(k + 1))->text());
    }
    for (std::size_t j = 0; j < 3; ++j) {
        const QChar suffix = QLatin1Char("abc"[j]);
        in.w1[j] = ss(edit(QStringLiteral("w1") + suffix)->text());
        in.w2[j] = ss(edit(QStringLiteral("w2") + suffix)->text());
        in.ld1[j] = ss(edit(QStringLiteral("ld1") + suffix)->text());
        in.ld2[j] = ss(edit(QStringLiteral("ld2") + suffix)->text());
    }
}

beam::InputTexts InputPage::inputTexts() const
{
    struct Binding {
        const char *control;
        std::string beam::InputTexts::*field;
    };
    static constexpr Binding kBindings[] = {
        {"Span", &beam::InputTexts::Span},       {"lb", &beam::InputTexts::lb},
        {"seigen1", &beam::InputTexts::seigen1}, {"seigen2", &beam::InputTexts::seigen2},
        {"uniform", &beam::InputTexts::uniform}, {"inertia", &beam::InputTexts::inertia},
        {"modulus", &beam::InputTexts::modulus}, {"selfw", &beam::InputTexts::selfw},
    };
    beam::InputTexts in;
    for (const Binding &b : kBindings)
        in.*b.field = ss(text(b.control));
    readLoadTexts(in);
    m_section->readDepths(in);
    in.term = m_beam->term()->isChecked();
    in.si = m_beam->si()->isChecked();
    in.jijuucheck = m_uniform->jijuucheck()->isChecked();
    in.weak = m_section->weak()->isChecked();
    in.si157 = m_si157 ? m_si157() : false;
    if (const std::optional<beam::Support> support = m_support->support())
        in.support = *support;
    in.family = m_section->family();
    return in;
}

sections::NamedBeam InputPage::pageTexts() const
{
    sections::NamedBeam page;
    page.texts = inputTexts();
    page.noSupport = !m_support->support();
    page.noFamily = !m_section->checkedFamily();
    page.Bname = ss(text("Bname"));
    page.shiki = ss(text("shiki"));
    for (std::size_t j = 0; j < 3; ++j)
        page.ld3[j] = ss(edit(QStringLiteral("ld3") + QLatin1Char("abc"[j]))->text());
    page.member = ss(text("member"));
    page.dims = {ss(text("H")), ss(text("B")), ss(text("tw")), ss(text("tf"))};
    m_results->readResult(page.result);
    return page;
}

void InputPage::recall(const sections::NamedBeam &page, const std::function<void()> &showPage)
{
    const beam::InputTexts &t = page.texts;
    auto set = [this](const QString &name, const std::string &text) { edit(name)->setText(qs(text)); };
    set(QStringLiteral("Bname"), page.Bname);
    m_section->weak()->setChecked(t.weak);
    m_beam->term()->setChecked(t.term);
    set(QStringLiteral("Span"), t.Span);
    set(QStringLiteral("lb"), t.lb);
    set(QStringLiteral("seigen1"), t.seigen1);
    set(QStringLiteral("seigen2"), t.seigen2);
    set(QStringLiteral("uniform"), t.uniform);
    set(QStringLiteral("shiki"), page.shiki);
    m_uniform->jijuucheck()->setChecked(t.jijuucheck);
    for (std::size_t k = 0; k < 8; ++k)
        set(QStringLiteral("p%1").arg(k + 1), t.p[k]);
    for (std::size_t k = 0; k < 8; ++k)
        set(QStringLiteral("pl%1").arg(k + 1), t.pl[k]);
    // w1a, w1b, w1c, w2a, .., ld3c
    const std::pair<const char *, const std::array<std::string, 3> *> parts[] = {
        {"w1", &t.w1}, {"w2", &t.w2}, {"ld1", &t.ld1}, {"ld2", &t.ld2}, {"ld3", &page.ld3},
    };
    for (const auto &[prefix, texts] : parts)
        for (std::size_t j = 0; j < 3; ++j)
            set(QString::fromUtf8(prefix) + QLatin1Char("abc"[j]), (*texts)[j]);
    if (showPage)
        showPage();
    m_section->recall(page);
    m_results->setResultFields(page.result);
    // these two come after the verdict: a change of either resets it to "未計算"
    if (!page.noSupport)
        m_support->setSupport(t.support);
    m_recalling = true;
    m_beam->si()->setChecked(t.si);
    m_recalling = false;
    setUnitCaptions(t.si);
    m_results->setMoments(page.result);
}

// ---------------------------------------------------------------- diagrams

void InputPage::kajuuzu()
{
    beam::LoadDiagramTexts in;
    in.span = ss(text("Span"));
    in.uniform = ss(text("uniform"));
    readLoadTexts(in);
    m_results->drawLoadDiagram(in);
}

void InputPage::sakuzu()
{
    m_results->sakuzu();
}

// ---------------------------------------------------------------- calculation

// The notes of a check or a selection, one a line, for the finished message.
static QString noteLines(const std::vector<std::string> &notes)
{
    QStringList lines;
    for (const std::string &note : notes)
        lines << qs(note);
    return lines.join(QLatin1Char('\n'));
}

std::optional<QString> InputPage::runOneCheck()
{
    // the dimension boxes are typed one after another, so a built-up H or pipe that
    // cannot exist is refused here, not while it is typed
    if (const QString why = m_section->dimensionRefusal(); !why.isEmpty()) {
        m_results->setVerdict(kNotCalculated);
        m_dialogs.inform(why);
        return std::nullopt;
    }
    const beam::InputTexts in = inputTexts();
    const beam::CheckOutcome outcome = beam::runCheck(in, m_basis);
    if (!outcome.result) {
        m_results->setVerdict(kNotCalculated);
        m_dialogs.inform(qs(outcome.error));
        return std::nullopt;
    }
    m_results->showResult(*outcome.result);
    return noteLines(outcome.notes);
}

std::optional<QString> InputPage::runSelection()
{
    m_section->showBusy(true);
    const sections::SelectionOutcome outcome = sections::selectSize(inputTexts(), ss(m_filepath), m_basis);
    const QString note = noteLines(sections::selectionNotes(outcome));
    m_section->takeSelection(outcome);
    if (outcome.checked > 0 && outcome.result)
        m_results->showResult(*outcome.result);
    m_section->showBusy(false);
    if (!outcome.error.empty()) {
        m_results->setVerdict(kNotCalculated);
        m_dialogs.inform(qs(outcome.error));
        return std::nullopt;
    }
    if (outcome.checked == 0) {
        // nothing was checked: say so instead of closing as if a result were there
        m_dialogs.inform(QStringLiteral("部材リスト（%1）に「%2」の部材がありません。")
                             .arg(QDir::toNativeSeparators(m_filepath), qs(outcome.familyCode)));
        return std::nullopt;
    }
    if (!outcome.result)
        return std::nullopt;
    return note;
}

void InputPage::keisanClick()
{
    if (!(beam::parseNumber(ss(text("Span"))) > 0))
        return;
    if (m_fresh != FreshResult::MayCalculate)
        return;
    const std::optional<QString> note = m_section->design()->isChecked() ? runSelection() : runOneCheck();
    if (!note)
        return;
    // a section whose lateral buckling is not checked, a selection where none passed, ...
    const QString finished = note->isEmpty() ? kFinished : kFinished + QLatin1Char('\n') + *note;
    m_dialogs.inform(finished + noticeDetails());
    setFreshResult(FreshResult::WaitsForStore);
}

void InputPage::setBasis(const beam::Basis &basis)
{
    m_basis = basis;
    invalidate();
}

// What the notice rule adds to the closing message: its basis, fb1, fb2, i and C where
// the section's rule used them, and the shear check. Empty for the default rule.
QString InputPage::noticeDetails() const
{
    const std::optional<beam::NoticeTexts> n = m_results->notice();
    if (!n)
        return {};
    const QString unit = inputTexts().si ? QStringLiteral("(kN/cm2)") : QStringLiteral("(tf/cm2)");
    QString text = QStringLiteral("\n\n検定基準：") + qs(beam::noticeLabel(*n));
    if (!n->fb1.empty())
        text += QStringLiteral("\nfb1=%1  fb2=%2 %3  (i=%4 cm, C=%5)")
                    .arg(qs(beam::shownFb1(n->fb1)), qs(n->fb2), unit, qs(n->ib), qs(n->C));
    else if (!n->fb2.empty())
        text += QStringLiteral("\nfb2=%1 %2").arg(qs(n->fb2), unit);
    else
        text += QStringLiteral("\nfb=F/1.5");
    return text + QStringLiteral("\n") + qs(beam::shearSummary(*n, ss(unit)));
}

void InputPage::kakunouClick()
{
    if (m_fresh == FreshResult::WaitsForStore)
        Q_EMIT storeRequested();
}

// ---------------------------------------------------------------- panel operations

void InputPage::memberChange()
{
    m_section->memberChange();
}

void InputPage::BChange()
{
    m_section->BChange();
}

void InputPage::Button1Click()
{
    m_uniform->reset();
}

void InputPage::Button2Click()
{
    m_point->reset();
}

void InputPage::Button3Click()
{
    m_part->reset();
}

void InputPage::Image35Click()
{
    m_support->toggleCalculator();
}

void InputPage::toggleReactionList()
{
    m_support->toggleReactionList();
}

// ---------------------------------------------------------------- field rules

bool InputPage::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && m_edits.contains(box->objectName()) && m_rules.handle(box->objectName(), event))
        return true;
    return QWidget::eventFilter(watched, event);
}
