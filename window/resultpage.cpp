#include "window/resultpage.h"

#include "beam/diagrams.h"
#include "results/messages.h"
#include "results/projectfile.h"
#include "results/slotops.h"
#include "results/slotview.h"
#include "results/store.h"
#include "results/textreport.h"
#include "window/dialogs.h"
#include "window/fittext.h"
#include "window/imagebutton.h"
#include "window/inputpage.h"
#include "printing/qtcanvas.h"
#include "window/valuelabel.h"

#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

QString qs(const std::string &s) { return QString::fromStdString(s); }
QString qs(const char *s) { return QString::fromUtf8(s); }
std::string ss(const QString &s) { return s.toStdString(); }

// ---- the slot area ----
constexpr int kButtonWidth = 57; // slot button, pixels
constexpr int kButtonHeight = 23;
constexpr int kMarkWidth = 17; // mark image
constexpr int kMarkHeight = 25;
constexpr int kShift = 5; // the selected button is drawn this far to the left; also `kage`'s width

// The three columns of slots: first and last slot, x of the buttons and of the marks.
struct SlotColumn {
    int first;
    int last;
    int buttonX;
    int markX;
};
constexpr SlotColumn kColumns[] = {{1, 20, 24, 8}, {21, 40, 104, 88}, {41, 50, 184, 168}};

const SlotColumn &columnOf(int slot)
{
    for (const SlotColumn &c : kColumns)
        if (slot <= c.last)
            return c;
    return kColumns[std::size(kColumns) - 1];
}

// 24 pixels per slot from the top of its column, 8 more after the tenth.
int slotY(int slot)
{
    const int row = slot - columnOf(slot).first;
    return 24 * row + (row >= 10 ? 8 : 0);
}

// The order in which the slot controls are created: data16/chk16 and data31/chk31 come
// last, so only the arrays (indexed by slot number) may be trusted, never that order.
constexpr std::array<int, results::kSlots> kCreationOrder = [] {
    std::array<int, results::kSlots> order{};
    std::size_t i = 0;
    for (int slot = 1; slot <= results::kSlots; ++slot)
        if (slot != 16 && slot != 31)
            order[i++] = slot;
    order[i++] = 16;
    order[i] = 31;
    return order;
}();

// The command images under slot 50 (x = 184, 59 x 20).
struct CommandSpec {
    const char *name;
    const char *caption;
    const char *hint;
    int y;
    void (ResultPage::*handler)();
    QColor face;
};
constexpr int kCommandX = 184;
constexpr QSize kCommandSize(59, 20);
const QColor kFileFace(40, 90, 170);
const QColor kSlotFace(40, 130, 70);
const QColor kDeleteFace(150, 60, 60);
const QColor kMarkFace(110, 110, 110);
const QColor kPrintFace(30, 40, 110);

const CommandSpec kCommands[] = {
    {"yobidashi", "呼出", "計算結果表をファイルから呼び出します。", 248, &ResultPage::yobidashiClick, kFileFace},
    {"newdata", "新規", "計算結果表を空にして新規に始めます。", 272, &ResultPage::newdataClick, kFileFace},
    {"hozon", "保存", "計算結果表をファイルに保存します。", 296, &ResultPage::hozonClick, kFileFace},
    {"rename1", "名前変更", results::kRenameHint, 320, &ResultPage::rename1Click, kSlotFace},
    {"move1", "移動", results::kMoveHint, 344, &ResultPage::move1Click, kSlotFace},
    {"recalc1", "再計算", "", 368, &ResultPage::recalc1Click, kSlotFace},
    {"delete1", "削除", results::kDeleteHint, 392, &ResultPage::delete1Click, kDeleteFace},
    {"Image4", "全選択", results::kSelectAllHint, 416, &ResultPage::Image4Click, kMarkFace},
    {"Image5", "全解除", results::kClearAllHint, 440, &ResultPage::Image5Click, kMarkFace},
    {"printer1", "印刷", "選択した結果を印刷します。", 464, &ResultPage::printRequested, kPrintFace},
};

// ---- the display of a slot ----
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

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

QFont pixelFont(int pixels, bool bold = false)
{
    QFont f(QtCanvas::fontFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A command image: the caption in white on a coloured face.
QPixmap commandPicture(const char *caption, const QColor &face)
{
    QImage img(kCommandSize, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(face);
    p.drawRoundedRect(QRect(0, 0, kCommandSize.width() - 1, kCommandSize.height() - 1), 3, 3);
    p.setPen(Qt::white);
    p.setFont(pixelFont(qs(caption).size() > 3 ? 11 : 12, true));
    p.drawText(QRect(QPoint(0, 0), kCommandSize), Qt::AlignCenter, qs(caption));
    return QPixmap::fromImage(img);
}

// The two pictures of a mark image: an empty box, or a box with a tick.
QPixmap markPicture(bool on)
{
    QImage img(kMarkWidth, kMarkHeight, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(2, 6, 12, 12);
    if (on) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 0, 0), 2.2));
        p.drawLine(QPointF(4.5, 11.5), QPointF(7.5, 15));
        p.drawLine(QPointF(7.5, 15), QPointF(13, 6.5));
    }
    return QPixmap::fromImage(img);
}

// The shadow beside the selected button.
QPixmap shadowPicture()
{
    QImage img(kShift, kButtonHeight, QImage::Format_RGB32);
    img.fill(QColor(120, 120, 120));
    return QPixmap::fromImage(img);
}

} // namespace

ResultPage::ResultPage(results::Table &table, Dialogs &dialogs, InputPage &input, QWidget *parent)
    : QWidget(parent), m_table(table), m_dialogs(dialogs), m_input(input)
{
    setObjectName(QStringLiteral("resultPage"));
    setupSettingsGroup();
    setupLoadsGroup();
    setupDiagrams();
    setupResultsGroup();
    setupSlotArea();
    fillSlotArrays();
    showSlot();
}

// ---------------------------------------------------------------- construction

QLineEdit *ResultPage::makeCopy(QWidget *parent, const char *name, const QRect &geometry)
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

QLabel *ResultPage::makeValue(QWidget *parent, const char *name, const QRect &geometry, Qt::Alignment align)
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

QLabel *ResultPage::makeCaption(QWidget *parent, const QString &text, const QRect &geometry, const char *name)
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

void ResultPage::setupSlotArea()
{
    // the hidden pictures the mark images copy
    m_onchk = new QLabel(this);
    m_onchk->setObjectName(QStringLiteral("onchk"));
    m_onchk->setPixmap(markPicture(true));
    m_onchk->hide();
    m_offchk = new QLabel(this);
    m_offchk->setObjectName(QStringLiteral("offchk"));
    m_offchk->setPixmap(markPicture(false));
    m_offchk->hide();

    m_slotMenu = new QMenu(this);
    m_slotMenu->setObjectName(QStringLiteral("slotMenu"));
    const std::pair<const char *, void (ResultPage::*)()> items[] = {
        {"Rename", &ResultPage::rename1Click},
        {"Move", &ResultPage::move1Click},
        {"Retry", &ResultPage::recalc1Click},
        {"Delete", &ResultPage::delete1Click},
    };
    for (const auto &[caption, handler] : items) {
        QAction *a = m_slotMenu->addAction(qs(caption));
        a->setObjectName(QStringLiteral("slot") + qs(caption));
        connect(a, &QAction::triggered, this, handler);
    }

    for (int slot : kCreationOrder) {
        const SlotColumn &column = columnOf(slot);
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("data%1").arg(slot));
        button->setGeometry(column.buttonX, slotY(slot), kButtonWidth, kButtonHeight);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        // the menu does not select the button it is opened on: it acts on `selected`
        connect(button, &QPushButton::customContextMenuRequested, this,
                [this, button](const QPoint &at) { m_slotMenu->popup(button->mapToGlobal(at)); });
        connect(button, &QPushButton::clicked, this, [this, slot] { dataClick(slot); });
        m_data[static_cast<std::size_t>(slot)] = button;

        auto *mark = new ImageButton(this);
        mark->setObjectName(QStringLiteral("chk%1").arg(slot));
        mark->setGeometry(column.markX, slotY(slot), kMarkWidth, kMarkHeight);
        connect(mark, &ImageButton::clicked, this, [this, slot] { chkClick(slot); });
        m_chk[static_cast<std::size_t>(slot)] = mark;
    }

    m_kage = new QLabel(this);
    m_kage->setObjectName(QStringLiteral("kage"));
    m_kage->setPixmap(shadowPicture());
    m_kage->resize(kShift, kButtonHeight);
    m_kage->hide();

    for (const CommandSpec &c : kCommands) {
        auto *b = new ImageButton(this);
        b->setObjectName(qs(c.name));
        b->setGeometry(QRect(QPoint(kCommandX, c.y), kCommandSize));
        b->setPixmap(commandPicture(c.caption, c.face));
        if (*c.hint)
            b->setToolTip(qs(c.hint));
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &ImageButton::clicked, this, c.handler);
    }

    // the move hint and the rename box, shown beside / over the selected button
    m_idou = new QLineEdit(qs(results::kMoveTarget), this);
    m_idou->setObjectName(QStringLiteral("idou"));
    m_idou->setFrame(false);
    m_idou->setReadOnly(true);
    m_idou->setFocusPolicy(Qt::NoFocus);
    m_idou->resize(153, 17);
    QPalette pal = m_idou->palette();
    pal.setColor(QPalette::Base, kYellow);
    m_idou->setPalette(pal);
    m_idou->hide();

    m_rename = new QLineEdit(this);
    m_rename->setObjectName(QStringLiteral("rename"));
    m_rename->resize(kButtonWidth, 20);
    m_rename->installEventFilter(this);
    m_rename->hide();
}

void ResultPage::setupSettingsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listSettingsGroup"));
    g->setGeometry(248, 0, 313, 97);
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

void ResultPage::setupLoadsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listLoadsGroup"));
    g->setGeometry(248, 96, 313, 393);

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
    QFont formulaFont = shiki->font();
    formulaFont.setPixelSize(11);
    shiki->setFont(formulaFont);

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
        QFont small = head->font();
        small.setPixelSize(11);
        head->setFont(small);
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

void ResultPage::setupDiagrams()
{
    const QFont fixed = QtCanvas::diagramFont();

    auto *load = new QGroupBox(QStringLiteral("荷重図"), this);
    load->setObjectName(QStringLiteral("listKajuuzuGroup"));
    load->setGeometry(558, 0, 219, 137);
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
    stress->setGeometry(558, 136, 219, 129);
    m_listouryokuzu = new QLabel(stress);
    m_listouryokuzu->setObjectName(QStringLiteral("listouryokuzu"));
    m_listouryokuzu->setGeometry(13, 16, kListStressWidth, beam::kStressDiagramHeight);
    auto momentLabel = [&](const char *name, const QRect &geometry, Qt::Alignment align) {
        auto *l = new QLabel(stress);
        l->setObjectName(qs(name));
        l->setGeometry(geometry);
        l->setFont(fixed);
        l->setAlignment(align);
        setTextColour(l, kNavy);
        return l;
    };
    m_Menda1 = momentLabel("Menda1", QRect(15, 17, 64, 13), Qt::AlignLeft);
    m_Mendb1 = momentLabel("Mendb1", QRect(140, 17, 64, 13), Qt::AlignRight);
    m_Mcent1 = momentLabel("Mcent1", QRect(77, 108, 64, 13), Qt::AlignHCenter);

    // drawn at the screen's density, shown at these sizes in logical pixels
    m_loadImage = newDiagramImage(QSize(beam::kLoadDiagramWidth, beam::kLoadDiagramHeight), devicePixelRatioF());
    m_stressImage = newDiagramImage(QSize(kListStressWidth, beam::kStressDiagramHeight), devicePixelRatioF());
}

void ResultPage::setupResultsGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("listResultsGroup"));
    g->setGeometry(558, 261, 219, 228);
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
    exit->setGeometry(QRect(QPoint(219 - kCommandSize.width() - 6, 228 - kCommandSize.height() - 6), kCommandSize));
    exit->setPixmap(commandPicture("終了", kDeleteFace));
    exit->setToolTip(QStringLiteral("KOVELを終了します"));
    exit->setCursor(Qt::PointingHandCursor);
    connect(exit, &ImageButton::clicked, this, &ResultPage::exitRequested);
}

// ---------------------------------------------------------------- slot controls

void ResultPage::fillSlotArrays()
{
    refreshAll();
}

void ResultPage::setShapepath(const QString &shapepath)
{
    m_shapepath = shapepath;
}

QPushButton *ResultPage::data(int slot) const
{
    return slot >= 1 && slot <= results::kSlots ? m_data[static_cast<std::size_t>(slot)] : nullptr;
}

ImageButton *ResultPage::chk(int slot) const
{
    return slot >= 1 && slot <= results::kSlots ? m_chk[static_cast<std::size_t>(slot)] : nullptr;
}

bool ResultPage::markShown(int slot) const
{
    const ImageButton *mark = chk(slot);
    return mark && mark->pixmap().cacheKey() == m_onchk->pixmap().cacheKey();
}

// Caption = field 2 of the slot ("&" shown as itself, not as a shortcut), in red when the
// slot's verdict is "NG."; mark image = print mark.
void ResultPage::refreshSlot(int slot)
{
    const auto k = static_cast<std::size_t>(slot);
    QString caption = qs(m_table.slots[k][2]);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_data[k]->setText(caption);
    if (results::slotFails(m_table, slot))
        setTextColour(m_data[k], kRed); // a failing beam stands out
    else
        m_data[k]->setPalette(QPalette());
    m_chk[k]->setPixmap(results::isMarked(m_table, slot) ? m_onchk->pixmap() : m_offchk->pixmap());
}

void ResultPage::refreshCaption()
{
    Q_EMIT captionChanged(m_table.changed ? m_caption + qs(results::kUnsavedMark) : m_caption);
}

void ResultPage::refreshAll()
{
    for (int slot = 1; slot <= results::kSlots; ++slot)
        refreshSlot(slot);
    placeButtons();
}

// Every button at its column x, the selected one 5 pixels to the left with `kage` in the
// gap at its right edge: exactly one button is ever shifted.
void ResultPage::placeButtons()
{
    for (int slot = 1; slot <= results::kSlots; ++slot) {
        QPushButton *button = m_data[static_cast<std::size_t>(slot)];
        const int shift = slot == m_table.selected ? kShift : 0;
        button->move(columnOf(slot).buttonX - shift, slotY(slot));
    }
    if (QPushButton *selected = data(m_table.selected)) {
        selected->raise();
        m_kage->move(selected->geometry().right() + 1, selected->y());
        m_kage->show();
        m_kage->raise();
    } else {
        m_kage->hide();
    }
}

// ---------------------------------------------------------------- show-slot

void ResultPage::showSlot()
{
    m_Mcent1->clear();
    m_Mendb1->clear();
    m_Menda1->clear();
    placeButtons();
    const results::SlotView view = results::slotView(m_table, m_table.selected);
    fillView(view);
    showBasis(view);
    if (view.drawDiagrams)
        drawDiagrams(view);
    else
        clearDiagrams();
}

void ResultPage::showBasis(const results::SlotView &view)
{
    std::optional<beam::NoticeTexts> notice;
    if (m_table.selected >= 1 && m_table.selected <= results::kSlots)
        notice = results::noticeTexts(m_table.slots[static_cast<std::size_t>(m_table.selected)]);
    const QString ratio = notice && !notice->Rshear.empty() ? QStringLiteral("τ/fs ") + qs(notice->Rshear) : QString();
    const QString basis = notice ? qs(beam::noticeLabel(*notice) + "\n" + beam::shearSummary(*notice, view.units.Label76))
                                 : QString();
    m_listShear->setText(ratio);
    m_listShear->setToolTip(basis);
    m_values.value(QStringLiteral("listfb"))->setToolTip(basis);
}

void ResultPage::fillView(const results::SlotView &view)
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

void ResultPage::drawDiagrams(const results::SlotView &view)
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
    const results::SlotRecord &record = m_table.slots[static_cast<std::size_t>(m_table.selected)];
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

void ResultPage::clearDiagrams()
{
    m_lista->hide();
    m_listb->hide();
    m_listkajuuzuL->clear();
    m_loadImage.fill(kWhite);
    m_stressImage.fill(kWhite);
    m_listkajuuzu->setPixmap(QPixmap::fromImage(m_loadImage));
    m_listouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
}

// ---------------------------------------------------------------- store, marks, selection

void ResultPage::list()
{
    finishRename(); // a rename under way ends before any other command
    const results::PageTexts page = m_input.pageTexts();
    // a text the project file could not hold never enters the table
    if (const std::string refusal = results::storeRefusal(m_table, page); !refusal.empty()) {
        m_dialogs.inform(qs(refusal));
        return;
    }
    results::WhenFull whenFull = results::WhenFull::Refuse;
    if (results::storeNeedsQuestion(m_table)) {
        // all 50 slots in use: the store would replace slot 50
        if (!m_dialogs.askYesNo(qs(results::kStoreFullQuestion)))
            return;
        whenFull = results::WhenFull::ReplaceLast;
    }
    const int slot = results::storeResult(m_table, page, whenFull);
    if (slot == 0)
        return;
    cancelMove(); // the selection changes: a waiting move would take another record
    refreshSlot(slot);
    refreshCaption();
    Q_EMIT resultPageWanted();
    m_input.setKeisan2(QStringLiteral("計算開始")); // the same result cannot be stored twice
    showSlot();
    m_dialogs.inform(qs(results::kStoredMessage));
}

void ResultPage::dataClick(int slot)
{
    finishRename(); // a rename under way ends before any other command
    if (m_movecom == 99) {
        moveTo(slot);
        return;
    }
    results::selectSlot(m_table, slot);
    showSlot();
}

void ResultPage::chkClick(int slot)
{
    results::toggleMark(m_table, slot);
    refreshSlot(slot);
}

void ResultPage::Image4Click()
{
    results::markAll(m_table);
    for (int slot = 1; slot <= results::kSlots; ++slot)
        refreshSlot(slot);
}

void ResultPage::Image5Click()
{
    results::unmarkAll(m_table);
    for (int slot = 1; slot <= results::kSlots; ++slot)
        refreshSlot(slot);
}

// ---------------------------------------------------------------- slot operations

void ResultPage::delete1Click()
{
    finishRename(); // a rename under way ends before any other command
    if (!results::selectedInUse(m_table))
        return; // nothing selected, or a free slot: nothing to delete
    if (!m_dialogs.askYesNo(qs(results::kDeleteQuestion)))
        return;
    if (!results::deleteSelected(m_table))
        return;
    cancelMove(); // the selection changes: a waiting move would take another record
    refreshAll();
    refreshCaption();
    showSlot();
}

void ResultPage::move1Click()
{
    finishRename(); // a rename under way ends before any other command
    QPushButton *button = data(m_table.selected);
    if (!button || !results::selectedInUse(m_table))
        return;
    m_idou->move(button->geometry().right() + 1, button->y());
    m_idou->show();
    m_idou->raise();
    m_movecom = 99;
}

// The move, once the destination slot has been clicked.
void ResultPage::moveTo(int destination)
{
    m_movecom = destination;
    const results::MoveKind kind = results::moveKind(m_table, destination);
    bool move = kind != results::MoveKind::Nothing;
    if (kind == results::MoveKind::ReplacesRecord)
        move = m_dialogs.askYesNo(qs(results::moveQuestion(m_table, destination)));
    if (move && results::moveSelected(m_table, destination)) {
        refreshAll();
        refreshCaption();
        showSlot();
    }
    m_idou->hide();
}

void ResultPage::cancelMove()
{
    if (m_movecom == 99)
        m_movecom = 0;
    m_idou->hide();
}

void ResultPage::rename1Click()
{
    finishRename(); // a rename under way ends before any other command
    QPushButton *button = data(m_table.selected);
    if (!button || !results::selectedInUse(m_table))
        return;
    m_renameSlot = m_table.selected;
    m_rename->move(button->pos());
    m_rename->setText(qs(m_table.slots[static_cast<std::size_t>(m_renameSlot)][2]));
    m_rename->show();
    m_rename->raise();
    m_rename->selectAll();
    m_rename->setFocus(Qt::OtherFocusReason);
}

// Enter in `rename` or its loss of focus: field 2 and the caption take the text.
void ResultPage::finishRename()
{
    if (m_renameSlot == 0)
        return;
    const int slot = m_renameSlot;
    m_renameSlot = 0; // before hiding: hiding moves the focus and would finish again
    m_rename->hide();
    if (m_table.selected != slot)
        return;
    const std::string name = ss(m_rename->text());
    if (const std::string refusal = results::renameRefusal(m_table, name); !refusal.empty())
        m_dialogs.inform(qs(refusal)); // the slot keeps its name
    else if (results::renameSelected(m_table, name)) {
        refreshSlot(slot);
        refreshCaption();
    }
}

void ResultPage::recalc1Click()
{
    finishRename(); // a rename under way ends before any other command
    const std::optional<results::PageTexts> page = results::recallSelected(m_table, m_input.inputTexts().support);
    if (!page)
        return; // nothing selected, or a free slot: nothing to recall
    if (m_input.keisan2() == QStringLiteral("結果登録") && !m_dialogs.askYesNo(qs(results::kRecallQuestion)))
        return; // the calculated result waiting to be stored stays
    m_input.recall(*page, [this] { Q_EMIT inputPageWanted(); });
}

// ---------------------------------------------------------------- project file and text export

// The filter of the program's file commands ("KovelFile(*.kvl)|*.kvl") in the file
// dialog's own form ("KovelFile(*.kvl)").
QString ResultPage::dialogFilter(const char *filter) const
{
    return qs(filter).section(QLatin1Char('|'), 0, 0);
}

void ResultPage::newdataClick()
{
    finishRename(); // a rename under way ends before any other command
    if (!m_dialogs.askYesNo(qs(m_table.changed ? results::kUnsavedNewQuestion : results::kNewQuestion)))
        return;
    cancelMove();
    results::resetTable(m_table);
    m_projectPath.clear();
    m_projectStamp = {};
    m_caption = qs(results::kNewCaption);
    refreshCaption();
    refreshAll();
    showSlot();
}

void ResultPage::yobidashiClick()
{
    openProject(QString());
}

void ResultPage::openRecent(const QString &path)
{
    openProject(path);
}

void ResultPage::openProject(const QString &path)
{
    finishRename(); // a rename under way ends before any other command
    if (!m_dialogs.askYesNo(qs(m_table.changed ? results::kUnsavedOpenQuestion : results::kOpenQuestion)))
        return;
    Q_EMIT resultPageWanted();
    const QString chosen = path.isEmpty() ? m_dialogs.openFileName(dialogFilter(results::kProjectFilter)) : path;
    if (chosen.isEmpty())
        return;
    openFile(chosen);
}

void ResultPage::openFile(const QString &chosen)
{
    // stamped before it is read: a change in between is taken as a change (asked about)
    files::FileStamp stamp = files::stampFile(ss(chosen));
    // the file is read and checked whole before the table is replaced
    std::string notice;
    const std::string error = results::openProject(m_table, ss(chosen), &notice);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_projectPath = chosen;
    m_projectStamp = std::move(stamp);
    cancelMove();
    m_caption = qs(results::kCaptionPrefix) + chosen;
    refreshCaption();
    Q_EMIT projectFileUsed(chosen);
    refreshAll();
    showSlot();
    if (!notice.empty())
        m_dialogs.inform(qs(notice));
}

void ResultPage::hozonClick()
{
    finishRename(); // a rename under way ends before any other command
    // the dialog proposes the project's own file, so saving it again is one Enter away
    const QString chosen = m_dialogs.saveFileName(dialogFilter(results::kProjectFilter), m_projectPath);
    if (chosen.isEmpty())
        return;
    const std::string stripped = results::stripExtension(ss(chosen));
    const std::string path = results::projectFileName(ss(chosen));
    if (results::fileExists(path) && !m_dialogs.askYesNo(qs(results::kOverwriteQuestion)))
        return;
    // another window or program has written the file since this window read or wrote it
    if (files::changedOnDisk(m_projectStamp, path) && !m_dialogs.askYesNo(qs(results::kChangedOnDiskQuestion)))
        return;
    const std::string error = results::saveProject(path, m_table);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_projectPath = qs(path);
    m_projectStamp = files::stampFile(path);
    m_table.changed = false;
    m_caption = qs(results::kCaptionPrefix) + qs(stripped);
    refreshCaption();
    Q_EMIT projectFileUsed(qs(path));
    m_dialogs.inform(qs(results::savedMessage(stripped)));
}

void ResultPage::beginTableCommand()
{
    finishRename();
    cancelMove();
}

void ResultPage::tableChanged()
{
    m_table.changed = true; // not saved yet
    refreshCaption();
    refreshAll();
    showSlot();
    Q_EMIT resultPageWanted();
}

void ResultPage::N2Click()
{
    finishRename(); // a rename under way ends before any other command
    const QString chosen = m_dialogs.saveFileName(dialogFilter(results::kTextFilter));
    if (chosen.isEmpty())
        return;
    const std::string path = results::textFileName(ss(chosen));
    if (results::fileExists(path) && !m_dialogs.askYesNo(qs(results::kOverwriteQuestion)))
        return;
    const std::string error = results::writeTextReport(path, m_table);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_dialogs.inform(qs(results::kTextWrittenMessage));
}

// ---------------------------------------------------------------- events

bool ResultPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_rename) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                finishRename();
                return true; // the key is consumed
            }
        } else if (event->type() == QEvent::FocusOut) {
            finishRename();
        }
        return QWidget::eventFilter(watched, event);
    }
    // the read-out copies act on their input-page namesakes
    auto *copy = qobject_cast<QLineEdit *>(watched);
    if (!copy || !m_copies.contains(copy->objectName()))
        return QWidget::eventFilter(watched, event);
    const QString box = inputBoxOf(copy->objectName());
    switch (event->type()) {
    case QEvent::FocusIn:
        m_input.boxEnter(box);
        break;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
            m_input.boxExit(box);
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_input.boxKeyPress(box, QChar(13)))
            return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
