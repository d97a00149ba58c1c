#include "window/memberpage.h"

#include "beam/fieldrules.h"
#include "beam/numtext.h"
#include "sections/calculator.h"
#include "sections/converter.h"
#include "sections/members.h"
#include "window/dialogs.h"
#include "window/fittext.h"
#include "window/imagebutton.h"
#include "window/style.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QRadioButton>
#include <QTableWidget>

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
};
constexpr ButtonSpec kMemberButtons[] = {
    {"Image29", "touroku.png", QPoint(352, 395), "入力した部材を Data No. の行に登録します。"},
    {"Image30", "sakujo.png", QPoint(411, 395), "登録部材を削除します。"},
    {"Image31", "henkou.png", QPoint(470, 395), "登録部材を変更します。"},
};

// ---- the section property calculator ----
constexpr QRect kCalculatorGroup(539, 0, 245, 498);
constexpr int kPanel = 81;   // palette panel, pixels
constexpr int kPicture = 70; // shape picture, pixels
constexpr QPoint kPalette(1, 16);
constexpr int kPaletteColumns = 3;

struct DimensionSpec {
    const char *name;
    const char *caption;
    QPoint at; // caption's top-left; the box follows it
};
// In the order of sections::ShapeDimensions: a, b, H, h, r, D.
constexpr DimensionSpec kDimensions[] = {
    {"danA", "a =", QPoint(6, 350)},  {"danB", "b =", QPoint(98, 350)},
    {"danHH", "H =", QPoint(6, 374)}, {"danH", "h =", QPoint(98, 374)},
    {"danR", "r =", QPoint(6, 398)},  {"danD", "D =", QPoint(98, 398)},
};
constexpr int kDimensionCaptionWidth = 22;
constexpr int kDimensionBoxWidth = 64;
constexpr QPoint kReset(190, 370);
constexpr int kResultTop = 424;
constexpr int kResultPitch = 17;

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
    setupCalculatorGroup();
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

QLineEdit *MemberPage::makeEdit(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(geometry);
    e->setTextMargins(1, 0, 1, 0);
    fit::keepReadable(e);
    return e;
}

QLabel *MemberPage::makeLabel(QWidget *parent, const char *text, const QRect &geometry, const char *name)
{
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
    if (name)
        l->setObjectName(QString::fromUtf8(name));
    return l;
}

ImageButton *MemberPage::makeImageButton(QWidget *parent, const char *name, const char *image, const QPoint &at,
                                         const char *hint)
{
    auto *b = new ImageButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    const QPixmap picture(QStringLiteral(":/images/%1").arg(QLatin1String(image)));
    b->setPixmap(picture);
    b->setGeometry(QRect(at, picture.size()));
    b->setToolTip(QString::fromUtf8(hint));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

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
        makeLabel(g, s.label, s.labelGeometry);
        QLineEdit *e = makeEdit(g, s.name, s.boxGeometry);
        e->installEventFilter(this);
        m_entry[static_cast<std::size_t>(&s - kEntries)] = e;
    }
    makeLabel(g, "Data No.", kUnoLabel);
    m_uno = makeEdit(g, "uno", kUno);
    m_uno->setEnabled(false);
    m_uno->installEventFilter(this);
    m_labelh = makeLabel(g, "Labelh", kLabelh, "labelh");

    for (const ButtonSpec &s : kMemberButtons) {
        ImageButton *b = makeImageButton(g, s.name, s.image, s.at, s.hint);
        const QString name = b->objectName();
        if (name == QLatin1String("Image29"))
            connect(b, &ImageButton::clicked, this, &MemberPage::Image29Click);
        else if (name == QLatin1String("Image30"))
            connect(b, &ImageButton::clicked, this, &MemberPage::Image30Click);
        else
            connect(b, &ImageButton::clicked, this, &MemberPage::Image31Click);
    }
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

void MemberPage::setupCalculatorGroup()
{
    auto *g = new QGroupBox(QStringLiteral("断面性能"), this);
    g->setObjectName(QStringLiteral("calculatorGroup"));
    g->setGeometry(kCalculatorGroup);

    for (int i = 0; i < sections::kShapePanels; ++i) {
        auto *panel = new QFrame(g);
        panel->setObjectName(QStringLiteral("dan%1").arg(i + 1));
        panel->setGeometry(kPalette.x() + kPanel * (i % kPaletteColumns), kPalette.y() + kPanel * (i / kPaletteColumns),
                           kPanel, kPanel);
        panel->setFrameShadow(QFrame::Plain);
        panel->setLineWidth(1);
        panel->setFrameShape(QFrame::NoFrame);
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        if (i < sections::kShapesWithResult) {
            auto *picture = new QLabel(panel);
            picture->setObjectName(QStringLiteral("dan%1picture").arg(i + 1));
            picture->setPixmap(QPixmap(QStringLiteral(":/images/dan%1.png").arg(i + 1)));
            const int margin = (kPanel - kPicture) / 2;
            picture->setGeometry(margin, margin, kPicture, kPicture);
            picture->setMouseTracking(true);
            picture->installEventFilter(this);
        }
        m_dan[static_cast<std::size_t>(i)] = panel;
    }

    for (std::size_t i = 0; i < std::size(kDimensions); ++i) {
        const DimensionSpec &s = kDimensions[i];
        makeLabel(g, s.caption, QRect(s.at + QPoint(0, 3), QSize(kDimensionCaptionWidth, 14)));
        m_dims[i] = makeEdit(g, s.name, QRect(s.at + QPoint(kDimensionCaptionWidth, 0), QSize(kDimensionBoxWidth, 20)));
    }
    ImageButton *reset = makeImageButton(g, "Image24", "danreset.png", kReset, "寸法と計算結果を消去します。");
    connect(reset, &ImageButton::clicked, this, &MemberPage::Image24Click);

    for (int i = 0; i < 4; ++i) {
        QLabel *l = makeLabel(g, "", QRect(6, kResultTop + kResultPitch * i, kCalculatorGroup.width() - 10, 15));
        l->setObjectName(QStringLiteral("danres%1").arg(i + 1));
        m_danres[static_cast<std::size_t>(i)] = l;
    }
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

// ---------------------------------------------------------------- calculator

void MemberPage::danClick(int panel)
{
    sections::ShapeDimensions d;
    std::string *fields[] = {&d.danA, &d.danB, &d.danHH, &d.danH, &d.danR, &d.danD};
    for (std::size_t i = 0; i < m_dims.size(); ++i)
        *fields[i] = ss(m_dims[i]->text());
    const sections::ShapeCalculation c = sections::computeShape(panel, d);
    if (!c.error.empty()) {
        m_dialogs.inform(qs(c.error)); // the result lines keep their texts
        return;
    }
    if (!c.texts)
        return;
    m_danres[0]->setText(qs(c.texts->danres1));
    m_danres[1]->setText(qs(c.texts->danres2));
    m_danres[2]->setText(qs(c.texts->danres3));
    m_danres[3]->setText(qs(c.texts->danres4));
}

void MemberPage::danMouseMove(int panel)
{
    for (std::size_t i = 0; i < m_dan.size(); ++i) {
        const QFrame::Shape shape = static_cast<int>(i) + 1 == panel ? QFrame::Box : QFrame::NoFrame;
        if (m_dan[i]->frameShape() != shape)
            m_dan[i]->setFrameShape(shape);
    }
}

void MemberPage::Image24Click()
{
    // in the order danA, danB, danH, danHH, danR, danD, then the four result lines
    for (const char *name : {"danA", "danB", "danH", "danHH", "danR", "danD"})
        findChild<QLineEdit *>(QString::fromUtf8(name))->clear();
    for (QLabel *l : m_danres)
        l->clear();
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
    // the palette: a panel or its picture
    for (std::size_t i = 0; i < m_dan.size(); ++i) {
        if (watched != m_dan[i] && watched->parent() != m_dan[i])
            continue;
        const int panel = static_cast<int>(i) + 1;
        switch (event->type()) {
        case QEvent::MouseMove:
            danMouseMove(panel);
            break;
        case QEvent::MouseButtonPress:
            // taken here, so that a click on the picture does not reach the panel as well
            return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
                break;
            danClick(panel);
            return true;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }

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
