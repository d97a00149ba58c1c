#include "window/memberpage.h"

#include "beam/fieldrules.h"
#include "beam/numtext.h"
#include "sections/converter.h"
#include "sections/members.h"
#include "window/calculatorgroup.h"
#include "window/dialogs.h"
#include "window/fieldgroup.h"
#include "window/fittext.h"
#include "window/imagebutton.h"
#include "window/style.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QTableWidget>

using namespace panel;
using namespace style;

namespace {

// ---- the member group ----
constexpr QRect kMemberGroup(0, 0, 538, 430);
constexpr int kGridRowHeight = 18;
constexpr int kGridVisibleRows = 17;   // member rows seen at once under the header
constexpr int kGridFontPixels = 11;
constexpr QRect kGrid(1, 16, 536, kGridRowHeight * (kGridVisibleRows + 1) + 2);

struct EntrySpec {
    const char *name;
    const char *label;
    QRect labelGeometry;
    QRect boxGeometry;
};
// The entry boxes in their Enter order (umember .. uZy, then back to umember).
constexpr EntrySpec kEntries[] = {
    {"umember", "部材サイズ（名称）", QRect(4, 350, 110, 14), QRect(116, 347, 144, 20)},
    {"uA", "A((cm2)", QRect(268, 350, 54, 14), QRect(324, 347, 70, 20)},
    {"uWW", "自重(kg/m)", QRect(398, 350, 64, 14), QRect(462, 347, 68, 20)},
    {"uIx", "Ix(cm4)", QRect(4, 374, 54, 14), QRect(60, 371, 70, 20)},
    {"uIy", "Iy(cm4)", QRect(136, 374, 54, 14), QRect(190, 371, 70, 20)},
    {"uZx", "Zx(cm3)", QRect(268, 374, 54, 14), QRect(324, 371, 70, 20)},
    {"uZy", "Zy(cm3)", QRect(398, 374, 64, 14), QRect(462, 371, 68, 20)},
};
constexpr QRect kUnoLabel(4, 402, 54, 14);
constexpr QRect kUno(60, 399, 44, 20);
constexpr QRect kLabelh(110, 402, 236, 14);

struct ButtonSpec {
    const char *name;
    const char *image;
    QPoint at;
    const char *hint;
    void (MemberPage::*click)();
};
constexpr ButtonSpec kMemberButtons[] = {
    {"Image29", "touroku.png", QPoint(352, 395), "入力した部材を Data No. の行に登録します。", &MemberPage::Image29Click},
    {"Image30", "sakujo.png", QPoint(411, 395), "登録部材を削除します。", &MemberPage::Image30Click},
    {"Image31", "henkou.png", QPoint(470, 395), "登録部材を変更します。", &MemberPage::Image31Click},
};

// ---- the stress unit converter ----
constexpr QRect kTraditionalGroup(1, 432, 226, 66);
constexpr QRect kSiGroup(295, 432, 226, 66);
constexpr QRect kUnitBox(8, 28, 112, 22);
constexpr QRect kFirstRadio(128, 17, 92, 20);
constexpr QRect kSecondRadio(128, 40, 92, 20);
constexpr QPoint kToSi(241, 442);
constexpr QPoint kToTraditional(241, 470);

// The grid's cells and headings with narrow text margins, so that the eight columns fit
// beside the calculator's palette with their captions and values whole.
class GridStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_HeaderMargin)
            return 2;
        if (metric == PM_FocusFrameHMargin) // a cell's text margin is this plus one
            return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

MemberPage::MemberPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("memberPage"));
    setupMemberGroup();
    new CalculatorGroup(dialogs, this);
    setupConverter();
    // A number an input method typed full-width reads as its ASCII form, and shows so
    // once its box is left, as on the input page; the member name is kept as typed.
    for (QLineEdit *e : findChildren<QLineEdit *>()) {
        if (e->objectName() == QLatin1String("umember"))
            continue;
        connect(e, &QLineEdit::editingFinished, e, [e] {
            const QString ascii = qs(beam::asciiNumberText(ss(e->text())));
            if (ascii != e->text())
                e->setText(ascii);
        });
    }
}

// ---------------------------------------------------------------- construction

void MemberPage::setupMemberGroup()
{
    auto *g = new QGroupBox(QStringLiteral("部材登録"), this);
    g->setObjectName(QStringLiteral("memberGroup"));
    g->setGeometry(kMemberGroup);

    m_usergrid = new QTableWidget(sections::kMemberStartRows - 1, sections::kMemberColumns, g);
    m_usergrid->setObjectName(QStringLiteral("usergrid"));
    m_usergrid->setGeometry(kGrid);
    m_usergrid->setFocusPolicy(Qt::NoFocus); // display only, not a Tab stop
    m_usergrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_usergrid->setSelectionMode(QAbstractItemView::NoSelection);
    m_usergrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_usergrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_usergrid->setWordWrap(false);
    m_usergrid->verticalHeader()->hide();
    m_usergrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_usergrid->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    m_usergrid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    QHeaderView *header = m_usergrid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(kGridRowHeight);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // the last column takes the rest of the grid's width
    header->setStretchLastSection(true);
    connect(header, &QHeaderView::sectionResized, this, [this](int column) { fitColumn(column); });
    auto *gridStyle = new GridStyle;
    gridStyle->setParent(this);
    m_usergrid->setStyle(gridStyle);
    header->setStyle(gridStyle);

    for (const EntrySpec &s : kEntries) {
        makeLabel(g, qs(s.label), s.labelGeometry);
        QLineEdit *e = makeEdit(g, s.name, s.boxGeometry);
        e->installEventFilter(this);
        m_entry[static_cast<std::size_t>(&s - kEntries)] = e;
    }
    makeLabel(g, QStringLiteral("Data No."), kUnoLabel);
    m_uno = makeEdit(g, "uno", kUno);
    m_uno->setEnabled(false);
    m_uno->installEventFilter(this);
    m_labelh = makeLabel(g, QStringLiteral("Labelh"), kLabelh, QStringLiteral("labelh"));

    for (const ButtonSpec &s : kMemberButtons)
        connect(makeImageButton(g, s.name, s.image, s.at, s.hint), &ImageButton::clicked, this, s.click);
    prepareGrid();
}

void MemberPage::prepareGrid()
{
    m_usergrid->setColumnCount(sections::kMemberColumns);
    QStringList captions;
    for (const char *c : sections::kMemberCaptions)
        captions << QString::fromUtf8(c);
    m_usergrid->setHorizontalHeaderLabels(captions);
    for (std::size_t c = 0; c < sections::kMemberColumnWidths.size(); ++c)
        m_usergrid->setColumnWidth(static_cast<int>(c), sections::kMemberColumnWidths[c]);
}

void MemberPage::setupConverter()
{
    auto radioPair = [this](QGroupBox *g, const char *first, const char *firstText, const char *second,
                            const char *secondText) {
        auto *group = new QButtonGroup(g); // the two pairs are independent of each other
        auto *a = new QRadioButton(QString::fromUtf8(firstText), g);
        a->setObjectName(QString::fromUtf8(first));
        a->setGeometry(kFirstRadio);
        a->setChecked(true);
        auto *b = new QRadioButton(QString::fromUtf8(secondText), g);
        b->setObjectName(QString::fromUtf8(second));
        b->setGeometry(kSecondRadio);
        group->addButton(a);
        group->addButton(b);
        return std::pair{a, b};
    };

    auto *traditional = new QGroupBox(QStringLiteral("従来単位"), this);
    traditional->setObjectName(QStringLiteral("traditionalUnitGroup"));
    traditional->setGeometry(kTraditionalGroup);
    m_tmunit = makeEdit(traditional, "tmunit", kUnitBox);
    std::tie(m_tcm2, m_tm2) = radioPair(traditional, "tcm2", "tf/cm2", "tm2", "tf/m2");

    auto *si = new QGroupBox(QStringLiteral("SI単位"), this);
    si->setObjectName(QStringLiteral("siUnitGroup"));
    si->setGeometry(kSiGroup);
    m_siunit = makeEdit(si, "siunit", kUnitBox);
    std::tie(m_kncm2, m_mpa) = radioPair(si, "kncm2", "kN/cm2", "mpa", "MPa");

    ImageButton *toSi = makeImageButton(this, "Image25", "tosi.png", kToSi, "SI単位に変換します。");
    connect(toSi, &ImageButton::clicked, this, &MemberPage::Image25Click);
    ImageButton *toTraditional =
        makeImageButton(this, "Image26", "totraditional.png", kToTraditional, "従来単位に変換します");
    connect(toTraditional, &ImageButton::clicked, this, &MemberPage::Image26Click);
}

// ---------------------------------------------------------------- registered members

void MemberPage::setMembers(sections::MemberList *members)
{
    m_members = members;
    showMembers();
}

void MemberPage::readMemberControls()
{
    sections::MemberEntry &e = m_members->entry;
    std::string *fields[] = {&e.umember, &e.uA, &e.uWW, &e.uIx, &e.uIy, &e.uZx, &e.uZy};
    for (std::size_t i = 0; i < m_entry.size(); ++i)
        *fields[i] = ss(m_entry[i]->text());
    m_members->uno = ss(m_uno->text());
}

void MemberPage::showMembers()
{
    if (!m_members)
        return;
    const sections::MemberEntry &e = m_members->entry;
    const std::string *fields[] = {&e.umember, &e.uA, &e.uWW, &e.uIx, &e.uIy, &e.uZx, &e.uZy};
    for (std::size_t i = 0; i < m_entry.size(); ++i)
        if (m_entry[i]->text() != qs(*fields[i]))
            m_entry[i]->setText(qs(*fields[i]));
    m_uno->setText(qs(m_members->uno));
    m_uno->setEnabled(m_members->unoEnabled);
    m_labelh->setText(qs(m_members->labelh));
    showGrid();
}

void MemberPage::showGrid()
{
    const std::vector<sections::MemberRow> &rows = m_members->usergrid;
    const int memberRows = static_cast<int>(rows.size()) - 1; // row 0 is the header
    if (m_usergrid->rowCount() != memberRows)
        m_usergrid->setRowCount(memberRows);
    for (int r = 0; r < memberRows; ++r) {
        const sections::MemberRow &row = rows[static_cast<std::size_t>(r) + 1];
        for (int c = 0; c < sections::kMemberColumns; ++c) {
            const QString text = qs(row[static_cast<std::size_t>(c)]);
            QTableWidgetItem *item = m_usergrid->item(r, c);
            if (!item) {
                if (text.isEmpty())
                    continue;
                item = new QTableWidgetItem(text);
                m_usergrid->setItem(r, c, item);
            } else if (item->text() != text) {
                item->setText(text);
            } else {
                continue;
            }
            fit::fitCell(m_usergrid, item); // 100000.000 in a 65-pixel column
            if (c == sections::kMemberColumns - 1) // the narrow last column: the whole value as a hint
                item->setToolTip(text);
        }
    }
}

// The cells of a column in the grid's font, fitted to the column's width.
void MemberPage::fitColumn(int column)
{
    for (int r = 0; r < m_usergrid->rowCount(); ++r)
        if (QTableWidgetItem *item = m_usergrid->item(r, column))
            fit::fitCell(m_usergrid, item);
}

void MemberPage::reportSave(const sections::MemberOutcome &outcome)
{
    if (outcome.saved)
        Q_EMIT membersChanged();
    if (!outcome.notice.empty())
        m_dialogs.inform(qs(outcome.notice));
    if (!outcome.error.empty())
        m_dialogs.inform(qs(outcome.error));
}

void MemberPage::Image29Click()
{
    if (!m_members)
        return;
    readMemberControls();
    const sections::MemberOutcome outcome = sections::storeMember(*m_members);
    showMembers();
    if (outcome.saved)
        m_entry[0]->setFocus(Qt::OtherFocusReason);
    reportSave(outcome);
}

void MemberPage::Image30Click()
{
    if (!m_members)
        return;
    readMemberControls();
    sections::requestDelete(*m_members);
    showMembers();
    m_uno->setFocus(Qt::OtherFocusReason);
}

void MemberPage::Image31Click()
{
    if (!m_members)
        return;
    readMemberControls();
    sections::requestChange(*m_members);
    showMembers();
    m_uno->setFocus(Qt::OtherFocusReason);
}

bool MemberPage::unoKeyPress(QChar key)
{
    if (key != QChar(13) || !m_members)
        return false;
    readMemberControls();
    const bool changeAsked = m_members->labelh == sections::kChangeRequest;
    const sections::UnoConfirm confirm = sections::confirmNumber(*m_members);
    showMembers();
    // a change taken: its values wait in the entry boxes
    if (confirm.consumed && changeAsked && !m_members->unoEnabled)
        m_entry[0]->setFocus(Qt::OtherFocusReason);
    reportSave(confirm.outcome);
    return confirm.consumed;
}

// ---------------------------------------------------------------- converter

void MemberPage::Image25Click()
{
    const auto from = m_tcm2->isChecked() ? sections::TraditionalUnit::TfPerCm2 : sections::TraditionalUnit::TfPerM2;
    const auto to = m_kncm2->isChecked() ? sections::SiUnit::KnPerCm2 : sections::SiUnit::MPa;
    const sections::Conversion c = sections::convertToSi(ss(m_tmunit->text()), from, to);
    if (!c.error.empty()) {
        m_dialogs.inform(qs(c.error));
        return;
    }
    m_siunit->setText(qs(c.text));
}

void MemberPage::Image26Click()
{
    const auto from = m_kncm2->isChecked() ? sections::SiUnit::KnPerCm2 : sections::SiUnit::MPa;
    const auto to = m_tcm2->isChecked() ? sections::TraditionalUnit::TfPerCm2 : sections::TraditionalUnit::TfPerM2;
    const sections::Conversion c = sections::convertToTraditional(ss(m_siunit->text()), from, to);
    if (!c.error.empty()) {
        m_dialogs.inform(qs(c.error));
        return;
    }
    m_tmunit->setText(qs(c.text));
}

// ---------------------------------------------------------------- events

void MemberPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        // the grid in the page's font, a pixel smaller: "######0.000" values of five
        // integer digits then fit the 65-pixel columns
        QFont gridFont = font();
        gridFont.setPixelSize(kGridFontPixels);
        m_usergrid->setFont(gridFont);
        for (int c = 0; c < m_usergrid->columnCount(); ++c)
            fitColumn(c);
    }
    QWidget::changeEvent(event);
}

bool MemberPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    if (watched == m_uno)
        return unoKeyPress(QChar(13));
    // the Enter ring of the entry boxes
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    const std::string_view next = beam::enterTarget(ss(box->objectName()), beam::DimensionShape::Other);
    if (next.empty())
        return QWidget::eventFilter(watched, event);
    for (QLineEdit *e : m_entry) {
        if (e->objectName() == QLatin1String(next.data(), static_cast<qsizetype>(next.size()))) {
            e->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
