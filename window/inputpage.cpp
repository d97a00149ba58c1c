#include "window/inputpage.h"

#include "beam/diagrams.h"
#include "beam/input.h"
#include "beam/numtext.h"
#include "results/slotview.h"
#include "results/store.h"
#include "results/table.h"
#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sections/members.h"
#include "sections/pocketcalc.h"
#include "sections/selection.h"
#include "window/dialogs.h"
#include "window/imagebutton.h"
#include "window/qtcanvas.h"
#include "window/valuelabel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>

namespace {

const QString kStart = QStringLiteral("計算開始");    // fresh-result flag: may calculate
const QString kStored = QStringLiteral("結果登録");   // a result waits to be stored
const QString kNotCalculated = QStringLiteral("未計算");
const QString kFinished = QStringLiteral("計算が終了しました。変更がなければ[格納]ボタンを押して下さい。");

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kInfoBack(255, 255, 225); // tool-tip colour of the calculator boxes

QString qs(const std::string &s) { return QString::fromStdString(s); }
std::string ss(const QString &s) { return s.toStdString(); }

// ---- the beam group ----
struct EditSpec {
    const char *name;
    QRect geometry;
    const char *initial;
};
struct LabelSpec {
    const char *text;
    QRect geometry;
};

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

// ---- the uniform-load group ----
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

// ---- the point and part-span loads ----
constexpr int kPointRow0 = 34;
constexpr int kPointPitch = 21;
constexpr const char *kPartSuffix = "abc";
constexpr const char *kPartHeads[] = {"w1(kN/m)", "w2(kN/m)", "LD1(m)", "LD2(m)", "LD3(m)"};

// ---- the section group: the eleven shape choices ----
struct ShapeSpec {
    beam::Family family;
    const char *radio;
    const char *caption;
    const char *list; // the family's drop-down list; nullptr for the other choices
    QRect radioGeometry;
};
constexpr ShapeSpec kShapes[] = {
    {beam::Family::HW, "HWbutton", "広幅H形鋼", "HW", QRect(6, 18, 82, 20)},
    {beam::Family::HM, "HMbutton", "中幅H形鋼", "HM", QRect(6, 40, 82, 20)},
    {beam::Family::HN, "HNbutton", "細幅H形鋼", "HN", QRect(6, 62, 82, 20)},
    {beam::Family::C, "Cbutton", "溝形鋼", "C", QRect(6, 84, 82, 20)},
    {beam::Family::L, "Lbutton", "山形鋼", "L", QRect(6, 106, 82, 20)},
    {beam::Family::I, "Ibutton", "I　形鋼", "Ishape", QRect(6, 128, 82, 20)},
    {beam::Family::BH, "BHbutton", "BH鋼", nullptr, QRect(6, 176, 60, 18)},
    {beam::Family::Kaku, "kakubutton", "角パイプ", nullptr, QRect(68, 176, 72, 18)},
    {beam::Family::Maru, "marubutton", "丸パイプ", nullptr, QRect(140, 176, 72, 18)},
    {beam::Family::Direct, "chokubutton", "断面性能直接入力", nullptr, QRect(6, 198, 140, 18)},
    {beam::Family::User, "userbutton", "登録部材", nullptr, QRect(6, 150, 82, 20)},
};
constexpr int kCatalogueFamilies = 6; // kShapes[0..5] have a list

bool isCatalogueFamily(beam::Family f) { return static_cast<int>(f) < kCatalogueFamilies; }

constexpr EditSpec kDimensionEdits[] = {
    {"H", QRect(104, 222, 44, 20), "100"},
    {"B", QRect(166, 222, 44, 20), "50"},
    {"tw", QRect(104, 246, 44, 20), "5"},
    {"tf", QRect(166, 246, 44, 20), "7"},
};

struct PropertySpec {
    const char *name;
    const char *caption;
    const char *unit;
    const char *initial;
    int y;
};
constexpr PropertySpec kProperties[] = {
    {"member", "部材", "", "H-100x50x5x7", 300},
    {"inertia", "断面二次モーメント", "cm4", "187", 324},
    {"modulus", "断面係数", "cm3", "37.5", 348},
    {"selfw", "部材自重", "kg/m", "9.3", 372},
};

// ---- the supports ----
struct SupportSpec {
    beam::Support support;
    const char *radio;
    const char *caption;
    const char *picture;
    QRect geometry;
};
constexpr SupportSpec kSupports[] = {
    {beam::Support::PinPin, "pinpin", "ピン‐ピン", "Bpin.bmp", QRect(6, 18, 78, 18)},
    {beam::Support::PinFixed, "pinkotei", "ピン‐固定", "Lpin.bmp", QRect(86, 18, 78, 18)},
    {beam::Support::FixedFixed, "koteikotei", "固定-固定", "Brigid.bmp", QRect(6, 38, 78, 18)},
    {beam::Support::FreeFixed, "jiyuukotei", "自由-固定", "Lfree.bmp", QRect(86, 38, 78, 18)},
};
constexpr QRect kPanel1(24, 62, 132, 136);

// ---- the unit labels: SI text, traditional text ----
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

// ---- the results ----
struct ResultSpec {
    const char *name;
    const char *caption;
    const char *unitLabel; // a unit label of kUnits, or nullptr
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

// ---- the pocket calculator keys: name, caption, column, row (rows 2..5 of the panel) ----
struct KeySpec {
    const char *name;
    const char *caption;
    int column;
    int row;
};
constexpr KeySpec kCalcKeys[] = {
    {"calc7", "7", 0, 2},          {"calc8", "8", 1, 2},      {"calc9", "9", 2, 2},
    {"calcdevide", "÷", 3, 2},    {"calc4", "4", 0, 3},      {"calc5", "5", 1, 3},
    {"calc6", "6", 2, 3},          {"calctimes", "×", 3, 3}, {"calc1", "1", 0, 4},
    {"calc2", "2", 1, 4},          {"calc3", "3", 2, 4},      {"calcminus", "－", 3, 4},
    {"calc0", "0", 0, 5},          {"calcdot", ".", 1, 5},    {"calcplus", "＋", 2, 5},
    {"calcequal", "＝", 3, 5},
};

// Boxes that are not Tab stops: one moves between them with Enter or the mouse.
constexpr const char *kTabStops[] = {"Bname", "member", "inertia", "modulus", "selfw"};

QColor colourOf(beam::BoxColour c)
{
    switch (c) {
    case beam::BoxColour::Yellow: return kYellow;
    case beam::BoxColour::Aqua: return kAqua;
    case beam::BoxColour::White: break;
    }
    return kWhite;
}

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    w->setPalette(pal);
}

QPixmap imageResource(const char *name)
{
    return QPixmap(QStringLiteral(":/images/%1").arg(QLatin1String(name)));
}

} // namespace

InputPage::InputPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("inputPage"));
    m_mgrid.fill(std::string());

    // hidden state kept as text, as the rest of the page
    auto hiddenEdit = [this](const char *name, const char *text) {
        auto *e = new QLineEdit(QString::fromUtf8(text), this);
        e->setObjectName(QString::fromUtf8(name));
        e->hide();
        return e;
    };
    m_H1 = hiddenEdit("H1", "100");
    m_B1 = hiddenEdit("B1", "50");
    m_tf1 = hiddenEdit("tf1", "7");
    m_flag1 = hiddenEdit("flag1", "0");
    m_keisan2 = new QPushButton(kStart, this);
    m_keisan2->setObjectName(QStringLiteral("keisan2"));
    m_keisan2->hide();

    setupBeamGroup();
    setupUniformGroup();
    setupPointGroup();
    setupPartGroup();
    setupSupportGroup();
    setupSectionGroup();
    setupResults();
    setupDiagrams();
    setUnitCaptions(true);

    for (QLineEdit *e : std::as_const(m_edits)) {
        const QString name = e->objectName();
        bool tabStop = false;
        for (const char *t : kTabStops)
            tabStop = tabStop || name == QLatin1String(t);
        e->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        e->installEventFilter(this);
        // A box without the focus shows the start of its text: a number wider than the
        // box (411000.00 cm4 of a deep built-up girder) keeps its leading digits in view.
        connect(e, &QLineEdit::textChanged, e, [e] {
            if (!e->hasFocus())
                e->setCursorPosition(0);
        });
    }
    setBoxColour(edit(QStringLiteral("Span")), beam::BoxColour::Aqua);

    connect(m_flag1, &QLineEdit::textChanged, this, [this](const QString &v) { m_mmCaption->setVisible(v == "1"); });
}

// ---------------------------------------------------------------- construction

QLineEdit *InputPage::makeEdit(QWidget *parent, const QString &name, const QRect &geometry, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, kWhite);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(64, 64, 64));
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
    e->setPalette(pal);
    e->setTextMargins(1, 0, 1, 0);
    m_edits.insert(name, e);
    return e;
}

// A "Reset" button of a load group, out of the Tab order.
void InputPage::makeResetButton(QWidget *parent, const char *name, const QRect &geometry, const char *hint,
                                void (InputPage::*click)())
{
    auto *reset = new QPushButton(QStringLiteral("Reset"), parent);
    reset->setObjectName(QString::fromUtf8(name));
    reset->setGeometry(geometry);
    reset->setToolTip(QString::fromUtf8(hint));
    reset->setFocusPolicy(Qt::NoFocus);
    connect(reset, &QPushButton::clicked, this, click);
}

QLabel *InputPage::makeLabel(QWidget *parent, const QString &text, const QRect &geometry, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QLineEdit *InputPage::edit(const QString &name) const
{
    return m_edits.value(name);
}

void InputPage::setupBeamGroup()
{
    auto *g = new QGroupBox(this);
    g->setObjectName(QStringLiteral("beamGroup"));
    g->setGeometry(2, 0, 338, 78);
    for (const EditSpec &s : kBeamEdits)
        makeEdit(g, QString::fromUtf8(s.name), s.geometry, QString::fromUtf8(s.initial));
    for (const LabelSpec &s : kBeamLabels)
        makeLabel(g, QString::fromUtf8(s.text), s.geometry);

    m_term = new QCheckBox(QStringLiteral("短期荷重として計算する"), g);
    m_term->setObjectName(QStringLiteral("term"));
    m_term->setGeometry(6, 55, 180, 18);
    m_si = new QCheckBox(QStringLiteral("SI単位"), g);
    m_si->setObjectName(QStringLiteral("si"));
    m_si->setGeometry(228, 55, 80, 18);
    m_si->setChecked(true);

    connect(edit("Span"), &QLineEdit::textChanged, this, &InputPage::inputChanged);
    for (const char *name : {"lb", "seigen1", "seigen2"})
        connect(edit(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &InputPage::invalidate);
    connect(m_term, &QCheckBox::toggled, this, &InputPage::invalidate);
    connect(m_si, &QCheckBox::toggled, this, [this](bool on) {
        setUnitCaptions(on);
        invalidate();
    });
}

void InputPage::setupUniformGroup()
{
    auto *g = new QGroupBox(QStringLiteral("1） 等分布荷重"), this);
    g->setObjectName(QStringLiteral("uniformGroup"));
    g->setGeometry(2, 80, 338, 90);
    for (const EditSpec &s : kUniformEdits)
        makeEdit(g, QString::fromUtf8(s.name), s.geometry, QString::fromUtf8(s.initial));
    for (const LabelSpec &s : kUniformLabels)
        makeLabel(g, QString::fromUtf8(s.text), s.geometry);
    m_unitLabels[0] = makeLabel(g, QString(), QRect(286, 47, 50, 14), QStringLiteral("Label4"));

    makeResetButton(g, "Button1", QRect(282, 19, 50, 22), "等分布荷重をリセットします。", &InputPage::Button1Click);

    QFont formulaFont = edit("shiki")->font();
    formulaFont.setPixelSize(11);
    edit("shiki")->setFont(formulaFont);

    m_jijuucheck = new QCheckBox(QStringLiteral("自重を自動計算する。"), g);
    m_jijuucheck->setObjectName(QStringLiteral("jijuucheck"));
    m_jijuucheck->setGeometry(6, 68, 200, 18);
    m_jijuucheck->setChecked(true);
    connect(m_jijuucheck, &QCheckBox::toggled, this, &InputPage::invalidate);

    for (const char *name : {"uw", "lwa", "lwb", "nnl"})
        connect(edit(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &InputPage::uniformCalculator);
    connect(edit("uniform"), &QLineEdit::textChanged, this, &InputPage::inputChanged);
}

void InputPage::setupPointGroup()
{
    auto *g = new QGroupBox(QStringLiteral("2) 集中荷重"), this);
    g->setObjectName(QStringLiteral("pointGroup"));
    g->setGeometry(2, 172, 168, 204);
    m_unitLabels[1] = makeLabel(g, QString(), QRect(30, 18, 60, 14), QStringLiteral("Label6"));
    makeLabel(g, QStringLiteral("Li(m)"), QRect(98, 18, 60, 14));
    for (int k = 0; k < 8; ++k) {
        const int y = kPointRow0 + kPointPitch * k;
        makeLabel(g, QStringLiteral("P%1").arg(k + 1), QRect(6, y + 3, 20, 14));
        m_p[k] = makeEdit(g, QStringLiteral("p%1").arg(k + 1), QRect(28, y, 64, 19), QString());
        m_pl[k] = makeEdit(g, QStringLiteral("pl%1").arg(k + 1), QRect(96, y, 64, 19), QString());
        connect(m_p[k], &QLineEdit::textChanged, this, &InputPage::inputChanged);
        connect(m_pl[k], &QLineEdit::textChanged, this, &InputPage::inputChanged);
    }
    makeResetButton(g, "Button2", QRect(112, -1, 50, 18), "集中荷重をリセットします。", &InputPage::Button2Click);
}

void InputPage::setupPartGroup()
{
    auto *g = new QGroupBox(QStringLiteral("3) 任意形分布荷重"), this);
    g->setObjectName(QStringLiteral("partGroup"));
    g->setGeometry(2, 378, 338, 106);
    for (int c = 0; c < 5; ++c) {
        QLabel *head = makeLabel(g, QString::fromUtf8(kPartHeads[c]), QRect(22 + 63 * c, 18, 62, 14));
        if (c == 0)
            m_unitLabels[2] = head, head->setObjectName(QStringLiteral("Label39"));
        if (c == 1)
            m_unitLabels[3] = head, head->setObjectName(QStringLiteral("Label40"));
    }
    for (int j = 0; j < 3; ++j) {
        const QChar suffix = QLatin1Char(kPartSuffix[j]);
        const int y = 35 + 22 * j;
        makeLabel(g, QString(suffix), QRect(8, y + 3, 12, 14));
        m_w1[j] = makeEdit(g, QStringLiteral("w1") + suffix, QRect(20, y, 60, 19), QString());
        m_w2[j] = makeEdit(g, QStringLiteral("w2") + suffix, QRect(83, y, 60, 19), QString());
        for (int s = 0; s < 3; ++s)
            m_ld[j][s] = makeEdit(g, QStringLiteral("ld%1").arg(s + 1) + suffix, QRect(146 + 63 * s, y, 60, 19),
                                  QString());
        for (QLineEdit *e : {m_w1[j], m_w2[j], m_ld[j][0], m_ld[j][1], m_ld[j][2]})
            connect(e, &QLineEdit::textChanged, this, &InputPage::inputChanged);
    }
    makeResetButton(g, "Button3", QRect(282, -1, 50, 18), "分布荷重をリセットします。", &InputPage::Button3Click);
}

void InputPage::setupSupportGroup()
{
    auto *g = new QGroupBox(QStringLiteral("支点条件"), this);
    g->setObjectName(QStringLiteral("supportGroup"));
    g->setGeometry(172, 172, 168, 204);
    m_supportGroup = new QButtonGroup(this);
    for (const SupportSpec &s : kSupports) {
        auto *r = new QRadioButton(QString::fromUtf8(s.caption), g);
        r->setObjectName(QString::fromUtf8(s.radio));
        r->setGeometry(s.geometry);
        m_supportGroup->addButton(r, static_cast<int>(s.support));
    }
    m_supportGroup->button(static_cast<int>(beam::Support::PinPin))->setChecked(true);
    connect(m_supportGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            supportChosen(id);
    });

    m_panel1 = new QWidget(g);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setGeometry(kPanel1);
    m_supportPicture = new QLabel(m_panel1);
    m_supportPicture->setObjectName(QStringLiteral("jouken"));
    m_supportPicture->setGeometry(0, 34, kPanel1.width(), 70);
    m_supportPicture->setAlignment(Qt::AlignCenter);

    auto *calcToggle = new ImageButton(g);
    calcToggle->setObjectName(QStringLiteral("Image35"));
    calcToggle->setGeometry(128, 0, 16, 16);
    calcToggle->setPixmap(imageResource("dentaku.png"));
    calcToggle->setToolTip(QStringLiteral("電卓表示"));
    connect(calcToggle, &ImageButton::clicked, this, &InputPage::Image35Click);

    auto *reactionToggle = new ImageButton(g);
    reactionToggle->setObjectName(QStringLiteral("hanryokuhyouji"));
    reactionToggle->setGeometry(148, 0, 16, 16);
    reactionToggle->setPixmap(imageResource("hanryoku.png"));
    reactionToggle->setToolTip(QStringLiteral("計算した部材の支点反力を表示します。"));
    connect(reactionToggle, &ImageButton::clicked, this, &InputPage::toggleReactionList);

    // the reaction list lies over the picture panel: 20 px to its left, 30 px wider
    m_reactionList = new QTableWidget(g);
    m_reactionList->setObjectName(QStringLiteral("hanryoku"));
    m_reactionList->setGeometry(kPanel1.x() - 20, kPanel1.y(), kPanel1.width() + 30, kPanel1.height());
    m_reactionList->setColumnCount(3);
    m_reactionList->horizontalHeader()->hide();
    m_reactionList->verticalHeader()->hide();
    m_reactionList->verticalHeader()->setMinimumSectionSize(15);
    m_reactionList->verticalHeader()->setDefaultSectionSize(15);
    m_reactionList->setColumnWidth(0, 60);
    m_reactionList->setColumnWidth(1, 40);
    m_reactionList->setColumnWidth(2, 40);
    m_reactionList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_reactionList->setFocusPolicy(Qt::NoFocus);
    m_reactionList->setWordWrap(false);
    QFont small = m_reactionList->font();
    small.setPixelSize(11);
    m_reactionList->setFont(small);
    m_reactionList->hide();

    setupCalculator(m_panel1);
}

void InputPage::setupCalculator(QWidget *panel)
{
    auto box = [this, panel](const char *name, const QRect &geometry, const QString &text) {
        auto *e = new QLineEdit(text, panel);
        e->setObjectName(QString::fromUtf8(name));
        e->setGeometry(geometry);
        e->setFocusPolicy(Qt::ClickFocus);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, kInfoBack);
        e->setPalette(pal);
        e->hide();
        m_calculatorWidgets.append(e);
        return e;
    };
    auto key = [this, panel](const char *name, const char *caption, const QRect &geometry) {
        auto *b = new QPushButton(QString::fromUtf8(caption), panel);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(geometry);
        b->setFocusPolicy(Qt::NoFocus);
        setTextColour(b, kNavy);
        b->hide();
        m_calculatorWidgets.append(b);
        connect(b, &QPushButton::clicked, this, [this, caption] { calculatorKey(QString::fromUtf8(caption)); });
        return b;
    };
    constexpr int kKey = 25;
    constexpr int kRow = 21;
    key("calcac", "AC", QRect(2, 1, kKey, 20));
    m_memory = box("memory", QRect(2 + kKey, 1, 3 * kKey, 20), QString());
    m_calc = box("calc", QRect(2, 1 + kRow, kKey, 20), QStringLiteral("＋"));
    m_calc->setAlignment(Qt::AlignCenter);
    m_calcres = box("calcres", QRect(2 + kKey, 1 + kRow, 3 * kKey, 20), QString());
    m_memory->setAlignment(Qt::AlignRight);
    m_calcres->setAlignment(Qt::AlignRight);
    for (const KeySpec &k : kCalcKeys)
        key(k.name, k.caption, QRect(2 + kKey * k.column, 1 + kRow * k.row, kKey, 20));
}

void InputPage::setupSectionGroup()
{
    auto *g = new QGroupBox(QStringLiteral("断面"), this);
    g->setObjectName(QStringLiteral("sectionGroup"));
    g->setGeometry(344, 0, 216, 424);
    m_shapeGroup = new QButtonGroup(this);
    QFont listFont = font();
    listFont.setPixelSize(11);
    for (const ShapeSpec &s : kShapes) {
        auto *r = new QRadioButton(QString::fromUtf8(s.caption), g);
        r->setObjectName(QString::fromUtf8(s.radio));
        r->setGeometry(s.radioGeometry);
        m_shapeGroup->addButton(r, static_cast<int>(s.family));
        if (s.list) {
            auto *list = new QComboBox(g);
            list->setObjectName(QString::fromUtf8(s.list));
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setGeometry(88, s.radioGeometry.y(), 122, 20);
            list->setFocusPolicy(Qt::ClickFocus);
            list->setCompleter(nullptr); // the typed text is the member name, letter for letter
            list->setMaxVisibleItems(20);
            list->setFont(listFont);
            for (const std::string &item : sections::familyDesignations(s.family))
                list->addItem(qs(item));
            list->setCurrentIndex(0);
            const int family = static_cast<int>(s.family);
            m_familyLists[static_cast<std::size_t>(family)] = list;
            connect(list, &QComboBox::currentTextChanged, this, [this, family] { familyListChanged(family); });
        }
    }
    m_userlist = new QComboBox(g);
    m_userlist->setObjectName(QStringLiteral("userlist"));
    m_userlist->setEditable(true);
    m_userlist->setInsertPolicy(QComboBox::NoInsert);
    m_userlist->setGeometry(88, 150, 122, 20);
    m_userlist->setFocusPolicy(Qt::ClickFocus);
    m_userlist->setCompleter(nullptr);
    m_userlist->setFont(listFont);
    connect(m_userlist, &QComboBox::activated, this, &InputPage::chooseUserMember);

    m_shapeGroup->button(static_cast<int>(beam::Family::HN))->setChecked(true);
    connect(m_shapeGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            shapeChosen(id);
    });
    // A click on `userbutton` chooses the member again even when it is already on (a
    // click that turns it on has chosen through idToggled).
    QAbstractButton *user = m_shapeGroup->button(static_cast<int>(beam::Family::User));
    connect(user, &QAbstractButton::pressed, this, [this, user] { m_userWasOn = user->isChecked(); });
    connect(user, &QAbstractButton::clicked, this, [this] {
        if (m_userWasOn)
            chooseUserMember();
    });

    m_danmenzu = new QLabel(g);
    m_danmenzu->setObjectName(QStringLiteral("danmenzu"));
    m_danmenzu->setGeometry(8, 222, 70, 70);
    m_danmenzu->hide();
    for (const EditSpec &s : kDimensionEdits) {
        const QString name = QString::fromUtf8(s.name);
        QLineEdit *e = makeEdit(g, name, s.geometry, QString::fromUtf8(s.initial));
        QLabel *caption = makeLabel(g, name, QRect(s.geometry.x() - 20, s.geometry.y() + 3, 19, 14),
                                    QStringLiteral("dim_") + name);
        caption->setAlignment(Qt::AlignRight);
        e->hide();
        caption->hide();
        connect(e, &QLineEdit::textChanged, this, &InputPage::BChange);
    }
    m_mmCaption = makeLabel(g, QStringLiteral("単位：ｍｍ"), QRect(104, 272, 100, 14), QStringLiteral("tani"));
    m_mmCaption->hide();

    for (const PropertySpec &p : kProperties) {
        const QString name = QString::fromUtf8(p.name);
        const bool isMember = name == QLatin1String("member");
        makeLabel(g, QString::fromUtf8(p.caption), QRect(6, p.y + 3, isMember ? 36 : 104, 14));
        QLineEdit *e = makeEdit(g, name, isMember ? QRect(40, p.y, 170, 20) : QRect(110, p.y, 64, 20),
                                QString::fromUtf8(p.initial));
        e->setEnabled(false);
        if (!isMember)
            makeLabel(g, QString::fromUtf8(p.unit), QRect(178, p.y + 3, 34, 14));
    }
    connect(edit("member"), &QLineEdit::textChanged, this, &InputPage::memberChange);
    for (const char *name : {"inertia", "modulus", "selfw"})
        connect(edit(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &InputPage::invalidate);

    m_weak = new QCheckBox(QStringLiteral("弱軸で計算"), g);
    m_weak->setObjectName(QStringLiteral("weak"));
    m_weak->setGeometry(6, 400, 92, 18);
    connect(m_weak, &QCheckBox::toggled, this, [this] {
        memberChange();
        // A computed or registered section shows its values about the axis now chosen at
        // once: otherwise a check would run with the strong axis's I and Z under the name
        // of the weak axis (or the other way round).
        if (dimensionShape() != beam::DimensionShape::Other)
            BChange();
        else if (m_shapeGroup->checkedId() == static_cast<int>(beam::Family::User))
            chooseUserMember();
    });
    m_design = new QCheckBox(QStringLiteral("サイズ自動選択"), g);
    m_design->setObjectName(QStringLiteral("design"));
    m_design->setGeometry(100, 400, 112, 18);
    m_design->setToolTip(QStringLiteral("必要最小断面を選びます。"));
    connect(m_design, &QCheckBox::toggled, this, &InputPage::designToggled);

    m_keisanchuu = new QLineEdit(QStringLiteral("計算中"), g);
    m_keisanchuu->setObjectName(QStringLiteral("keisanchuu"));
    m_keisanchuu->setFrame(false);
    m_keisanchuu->setReadOnly(true);
    m_keisanchuu->setFocusPolicy(Qt::NoFocus);
    m_keisanchuu->setGeometry(5, 256, 44, 16);
    QPalette pal = m_keisanchuu->palette();
    pal.setColor(QPalette::Base, kYellow);
    m_keisanchuu->setPalette(pal);
    m_keisanchuu->hide();
    m_watch = new QLabel(g);
    m_watch->setObjectName(QStringLiteral("watch"));
    m_watch->setGeometry(8, 228, 24, 24);
    m_watch->setPixmap(imageResource("watch.png"));
    m_watch->hide();

    // the command images under the section group
    struct ImageSpec {
        const char *name;
        const char *image;
        const char *hint;
        QRect geometry;
    };
    const ImageSpec images[] = {
        {"keisan", "keisan.png", "計算を開始します", QRect(350, 432, 64, 44)},
        {"kakunou", "kakunou.png", "計算結果表に格納します", QRect(422, 432, 64, 44)},
        {"shuuryou", "shuuryou.png", "KOVELを終了します", QRect(494, 432, 64, 44)},
    };
    for (const ImageSpec &s : images) {
        auto *b = new ImageButton(this);
        b->setObjectName(QString::fromUtf8(s.name));
        b->setGeometry(s.geometry);
        b->setPixmap(imageResource(s.image));
        b->setToolTip(QString::fromUtf8(s.hint));
        b->setCursor(Qt::PointingHandCursor);
        if (QLatin1String(s.name) == QLatin1String("keisan"))
            connect(b, &ImageButton::clicked, this, &InputPage::keisanClick);
        else if (QLatin1String(s.name) == QLatin1String("kakunou"))
            connect(b, &ImageButton::clicked, this, &InputPage::kakunouClick);
        else
            connect(b, &ImageButton::clicked, this, &InputPage::exitRequested);
    }
}

void InputPage::setupDiagrams()
{
    const QFont fixed = QtCanvas::diagramFont();

    auto *load = new QGroupBox(QStringLiteral("荷重図"), this);
    load->setObjectName(QStringLiteral("kajuuzuGroup"));
    load->setGeometry(564, 0, 218, 144);
    m_kajuuzu = new QLabel(load);
    m_kajuuzu->setObjectName(QStringLiteral("kajuuzu"));
    m_kajuuzu->setGeometry(12, 16, beam::kLoadDiagramWidth, beam::kLoadDiagramHeight);
    auto focusSpan = [this] { edit(QStringLiteral("Span"))->setFocus(Qt::OtherFocusReason); };
    auto caption = [&](const char *name, const QString &text, const QRect &geometry) {
        auto *l = new ImageButton(load);
        l->setObjectName(QString::fromUtf8(name));
        l->setText(text);
        l->setGeometry(geometry);
        l->setFont(fixed);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setTextColour(l, Qt::black);
        connect(l, &ImageButton::clicked, this, focusSpan);
        return l;
    };
    caption("kajuuA", QStringLiteral("A"), QRect(16, 123, 12, 14));
    caption("kajuuB", QStringLiteral("B"), QRect(186, 123, 12, 14));
    m_kajuuL = caption("kajuuL", edit(QStringLiteral("Span"))->text(), QRect(57, 123, 100, 14));

    auto *stress = new QGroupBox(QStringLiteral("応力図"), this);
    stress->setObjectName(QStringLiteral("ouryokuzuGroup"));
    stress->setGeometry(564, 146, 218, 116);
    m_ouryokuzu = new QLabel(stress);
    m_ouryokuzu->setObjectName(QStringLiteral("ouryokuzu"));
    m_ouryokuzu->setGeometry(8, 18, beam::kStressDiagramWidth, beam::kStressDiagramHeight);
    auto momentLabel = [&](const char *name, const QRect &geometry, Qt::Alignment align) {
        auto *l = new QLabel(stress);
        l->setObjectName(QString::fromUtf8(name));
        l->setGeometry(geometry);
        l->setFont(fixed);
        l->setAlignment(align);
        setTextColour(l, kNavy);
        return l;
    };
    m_Menda = momentLabel("Menda", QRect(10, 19, 64, 13), Qt::AlignLeft);
    m_Mendb = momentLabel("Mendb", QRect(142, 19, 64, 13), Qt::AlignRight);
    m_Mcent = momentLabel("Mcent", QRect(76, 93, 64, 13), Qt::AlignHCenter);

    m_stressImage = QImage(beam::kStressDiagramWidth, beam::kStressDiagramHeight, QImage::Format_RGB32);
    m_stressImage.fill(Qt::white);
    m_ouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
    kajuuzu();
}

void InputPage::setupResults()
{
    auto *g = new QGroupBox(QStringLiteral("計算結果"), this);
    g->setObjectName(QStringLiteral("resultGroup"));
    g->setGeometry(564, 264, 218, 212);
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
        if (r.unitLabel) {
            QLabel *unit = makeLabel(g, QString(), QRect(161, y + 2, 56, 14), QString::fromUtf8(r.unitLabel));
            for (std::size_t i = 0; i < std::size(kUnits); ++i)
                if (QLatin1String(kUnits[i].name) == QLatin1String(r.unitLabel))
                    m_unitLabels[i] = unit;
        } else if (r.unit) {
            makeLabel(g, QString::fromUtf8(r.unit), QRect(161, y + 2, 56, 14));
        }
        y += 19;
    }
    m_hantei = m_results.value(QStringLiteral("hantei"));
    m_hantei->setText(kNotCalculated);
    m_hantei->setAlignment(Qt::AlignCenter);
}

// ---------------------------------------------------------------- state and wiring

void InputPage::setPaths(const QString &filepath, const QString &shapepath, const QString &workDir)
{
    m_filepath = filepath;
    m_shapepath = shapepath;
    m_workDir = workDir;
    // the support picture of the condition already chosen
    const int id = m_supportGroup->checkedId();
    for (const SupportSpec &s : kSupports)
        if (static_cast<int>(s.support) == id) {
            QPixmap picture;
            if (picture.load(m_shapepath + QLatin1Char('/') + QString::fromUtf8(s.picture)))
                m_supportPicture->setPixmap(picture);
        }
}

void InputPage::setSi157Source(std::function<bool()> si157)
{
    m_si157 = std::move(si157);
}

void InputPage::setResultTable(const results::Table *table)
{
    m_table = table;
}

void InputPage::setMembers(const sections::MemberList *members)
{
    m_members = members;
    refreshUserList();
    const QSignalBlocker block(m_userlist);
    m_userlist->setCurrentText(m_members ? qs(m_members->userlistText) : QString());
}

void InputPage::refreshUserList()
{
    const QSignalBlocker block(m_userlist);
    const QString shown = m_userlist->currentText(); // the list follows the members, its text stays
    m_userlist->clear();
    if (m_members)
        for (const std::string &name : m_members->userlist)
            m_userlist->addItem(qs(name));
    m_userlist->setCurrentText(shown);
}

QString InputPage::keisan2() const
{
    return m_keisan2->text();
}

void InputPage::setKeisan2(const QString &flag)
{
    m_keisan2->setText(flag);
}

QString InputPage::flag1() const
{
    return m_flag1->text();
}

void InputPage::setFlag1(const QString &value)
{
    m_flag1->setText(value);
}

void InputPage::invalidate()
{
    m_keisan2->setText(kStart);
    m_hantei->setText(kNotCalculated);
}

void InputPage::inputChanged()
{
    invalidate();
    m_kajuuL->setText(edit(QStringLiteral("Span"))->text());
    kajuuzu();
}

void InputPage::setUnitCaptions(bool si)
{
    for (std::size_t i = 0; i < std::size(kUnits); ++i) {
        QLabel *l = m_unitLabels[i];
        if (!l)
            continue;
        l->setText(QString::fromUtf8(si ? kUnits[i].si : kUnits[i].traditional));
        setTextColour(l, si ? kNavy : kRed);
    }
}

// The point and part-span load texts into any record that names them p, pl, w1, w2,
// ld1, ld2 (the check's input and the load diagram's).
template <class Texts>
void InputPage::readLoadTexts(Texts &in) const
{
    for (std::size_t k = 0; k < 8; ++k) {
        in.p[k] = ss(m_p[k]->text());
        in.pl[k] = ss(m_pl[k]->text());
    }
    for (std::size_t j = 0; j < 3; ++j) {
        in.w1[j] = ss(m_w1[j]->text());
        in.w2[j] = ss(m_w2[j]->text());
        in.ld1[j] = ss(m_ld[j][0]->text());
        in.ld2[j] = ss(m_ld[j][1]->text());
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
        in.*b.field = ss(edit(QString::fromUtf8(b.control))->text());
    readLoadTexts(in);
    in.H1 = ss(m_H1->text());
    in.B1 = ss(m_B1->text());
    in.tf1 = ss(m_tf1->text());
    in.term = m_term->isChecked();
    in.si = m_si->isChecked();
    in.jijuucheck = m_jijuucheck->isChecked();
    in.weak = m_weak->isChecked();
    in.si157 = m_si157 ? m_si157() : false;
    // the first support radio that is on, in the order pinpin, pinkotei, koteikotei, jiyuukotei
    for (const SupportSpec &s : kSupports)
        if (m_supportGroup->button(static_cast<int>(s.support))->isChecked()) {
            in.support = s.support;
            break;
        }
    // the checked shape; none checked reads as a section with the basic allowable stress
    in.family = beam::Family::Direct;
    for (const ShapeSpec &s : kShapes)
        if (m_shapeGroup->button(static_cast<int>(s.family))->isChecked()) {
            in.family = s.family;
            break;
        }
    return in;
}

results::PageTexts InputPage::pageTexts() const
{
    const beam::InputTexts in = inputTexts();
    results::PageTexts page;
    page.Bname = ss(edit("Bname")->text());
    page.weak = in.weak;
    page.term = in.term;
    page.si = in.si;
    page.jijuucheck = in.jijuucheck;
    if (m_supportGroup->checkedId() >= 0)
        page.support = static_cast<beam::Support>(m_supportGroup->checkedId());
    page.Span = in.Span;
    page.lb = in.lb;
    page.seigen1 = in.seigen1;
    page.seigen2 = in.seigen2;
    page.uniform = in.uniform;
    page.shiki = ss(edit("shiki")->text());
    page.p = in.p;
    page.pl = in.pl;
    page.w1 = in.w1;
    page.w2 = in.w2;
    page.ld1 = in.ld1;
    page.ld2 = in.ld2;
    for (std::size_t j = 0; j < 3; ++j)
        page.ld3[j] = ss(m_ld[j][2]->text());
    if (m_shapeGroup->checkedId() >= 0)
        page.familyCode = beam::familyCode(static_cast<beam::Family>(m_shapeGroup->checkedId()));
    page.member = ss(edit("member")->text());
    page.H = ss(edit("H")->text());
    page.B = ss(edit("B")->text());
    page.tw = ss(edit("tw")->text());
    page.tf = ss(edit("tf")->text());
    page.inertia = in.inertia;
    page.modulus = in.modulus;
    page.selfw = in.selfw;
    beam::ResultTexts &r = page.result;
    const std::pair<const char *, std::string *> fields[] = {
        {"RQa", &r.RQa},       {"RQb", &r.RQb}, {"RMmax", &r.RMmax},     {"RMmaxl", &r.RMmaxl},
        {"Rdelta", &r.Rdelta}, {"Rlx", &r.Rlx}, {"Rfb", &r.Rfb},         {"RSigmab", &r.RSigmab},
        {"Rratio", &r.Rratio}, {"hantei", &r.hantei},
    };
    for (const auto &[name, text] : fields)
        *text = ss(m_results.value(QString::fromUtf8(name))->text());
    r.Mcent = ss(m_Mcent->text());
    r.Menda = ss(m_Menda->text());
    r.Mendb = ss(m_Mendb->text());
    r.Mgrid = m_mgrid;
    return page;
}

void InputPage::recall(const results::PageTexts &page, const std::function<void()> &showPage)
{
    auto set = [this](const char *name, const std::string &text) { edit(QString::fromUtf8(name))->setText(qs(text)); };
    set("Bname", page.Bname);
    m_weak->setChecked(page.weak);
    m_term->setChecked(page.term);
    set("Span", page.Span);
    set("lb", page.lb);
    set("seigen1", page.seigen1);
    set("seigen2", page.seigen2);
    set("uniform", page.uniform);
    set("shiki", page.shiki);
    m_jijuucheck->setChecked(page.jijuucheck);
    for (std::size_t k = 0; k < 8; ++k)
        m_p[k]->setText(qs(page.p[k]));
    for (std::size_t k = 0; k < 8; ++k)
        m_pl[k]->setText(qs(page.pl[k]));
    // w1a, w1b, w1c, w2a, .., ld3c
    const std::pair<const std::array<std::string, 3> *, std::array<QLineEdit *, 3>> parts[] = {
        {&page.w1, m_w1},
        {&page.w2, m_w2},
        {&page.ld1, {m_ld[0][0], m_ld[1][0], m_ld[2][0]}},
        {&page.ld2, {m_ld[0][1], m_ld[1][1], m_ld[2][1]}},
        {&page.ld3, {m_ld[0][2], m_ld[1][2], m_ld[2][2]}},
    };
    for (const auto &[texts, boxes] : parts)
        for (std::size_t j = 0; j < 3; ++j)
            boxes[j]->setText(qs((*texts)[j]));
    if (showPage)
        showPage();
    // the shape radio named by the family code; an unknown code checks none
    for (const ShapeSpec &s : kShapes)
        if (page.familyCode == beam::familyCode(s.family)) {
            m_shapeGroup->button(static_cast<int>(s.family))->setChecked(true);
            break;
        }
    set("member", page.member);
    set("H", page.H);
    set("B", page.B);
    set("tw", page.tw);
    set("tf", page.tf);
    set("inertia", page.inertia);
    set("modulus", page.modulus);
    set("selfw", page.selfw);
    // The dimension boxes just assigned copied their texts into H1, B1, tf1. A catalogue
    // section's allowable stress needs the catalogue's depth and flange instead, as its
    // calculation had them: take them again from the member's record (I, Z and the self
    // weight stay the stored ones).
    if (m_flag1->text() == QLatin1String("0")) {
        const sections::LookupOutcome outcome =
            sections::lookupMember(ss(m_filepath), ss(edit("member")->text()), m_weak->isChecked());
        if (outcome.texts) {
            m_H1->setText(qs(outcome.texts->H1));
            m_B1->setText(qs(outcome.texts->B1));
            m_tf1->setText(qs(outcome.texts->tf1));
        } else {
            m_dialogs.inform(qs(outcome.error));
        }
    }
    const beam::ResultTexts &r = page.result;
    const std::pair<const char *, const std::string *> results[] = {
        {"RMmax", &r.RMmax}, {"RMmaxl", &r.RMmaxl}, {"RSigmab", &r.RSigmab}, {"Rfb", &r.Rfb},
        {"Rratio", &r.Rratio}, {"RQa", &r.RQa},     {"RQb", &r.RQb},         {"Rdelta", &r.Rdelta},
        {"Rlx", &r.Rlx},       {"hantei", &r.hantei},
    };
    for (const auto &[name, text] : results)
        m_results.value(QString::fromUtf8(name))->setText(qs(*text));
    // these two come after the verdict: a change of either resets it to "未計算"
    if (page.support)
        m_supportGroup->button(static_cast<int>(*page.support))->setChecked(true);
    m_si->setChecked(page.si);
    setUnitCaptions(page.si);
    m_Mcent->setText(qs(r.Mcent));
    m_Menda->setText(qs(r.Menda));
    m_Mendb->setText(qs(r.Mendb));
    m_mgrid = r.Mgrid;
    sakuzu();
}

// ---------------------------------------------------------------- diagrams

void InputPage::kajuuzu()
{
    beam::LoadDiagramTexts in;
    in.span = ss(edit(QStringLiteral("Span"))->text());
    in.uniform = ss(edit(QStringLiteral("uniform"))->text());
    readLoadTexts(in);
    if (m_loadImage.isNull())
        m_loadImage = QImage(beam::kLoadDiagramWidth, beam::kLoadDiagramHeight, QImage::Format_RGB32);
    {
        QPainter painter(&m_loadImage);
        QtCanvas canvas(painter);
        beam::drawLoadDiagram(canvas, in);
    }
    m_kajuuzu->setPixmap(QPixmap::fromImage(m_loadImage));
}

void InputPage::sakuzu()
{
    beam::StressDiagramTexts in;
    in.moments = m_mgrid;
    in.mmax = ss(m_results.value(QStringLiteral("RMmax"))->text());
    in.qa = ss(m_results.value(QStringLiteral("RQa"))->text());
    in.qb = ss(m_results.value(QStringLiteral("RQb"))->text());
    {
        QPainter painter(&m_stressImage);
        QtCanvas canvas(painter);
        beam::drawStressDiagram(canvas, in, beam::ReactionText::Reformatted);
    }
    m_ouryokuzu->setPixmap(QPixmap::fromImage(m_stressImage));
}

// ---------------------------------------------------------------- calculation

void InputPage::showResult(const beam::ResultTexts &r)
{
    const std::pair<const char *, const std::string *> fields[] = {
        {"RQa", &r.RQa},         {"RQb", &r.RQb},         {"RMmax", &r.RMmax}, {"RMmaxl", &r.RMmaxl},
        {"Rdelta", &r.Rdelta},   {"Rlx", &r.Rlx},         {"Rfb", &r.Rfb},     {"RSigmab", &r.RSigmab},
        {"Rratio", &r.Rratio},
    };
    for (const auto &[name, text] : fields)
        m_results.value(QString::fromUtf8(name))->setText(qs(*text));
    m_Mcent->setText(qs(r.Mcent));
    m_Menda->setText(qs(r.Menda));
    m_Mendb->setText(qs(r.Mendb));
    m_mgrid = r.Mgrid;
    m_hantei->setText(qs(r.hantei));
    sakuzu();
}

bool InputPage::runOneCheck()
{
    const beam::CheckOutcome outcome = beam::runCheck(inputTexts());
    if (!outcome.result) {
        m_hantei->setText(kNotCalculated);
        m_dialogs.inform(qs(outcome.error));
        return false;
    }
    showResult(*outcome.result);
    return true;
}

bool InputPage::runSelection()
{
    m_keisanchuu->move(5, 256);
    m_keisanchuu->show();
    m_watch->show();
    m_keisanchuu->repaint(); // on the screen now: the search holds the event loop
    m_watch->repaint();
    const sections::SelectionOutcome outcome = sections::selectSize(inputTexts(), ss(m_filepath));
    if (outcome.switchedToNarrow)
        m_shapeGroup->button(static_cast<int>(beam::Family::HN))->setChecked(true);
    if (outcome.checked > 0) {
        // the last checked record becomes the current section, as the search left it
        m_familyLists[static_cast<std::size_t>(outcome.family)]->setCurrentText(qs(outcome.member));
        edit("member")->setText(qs(outcome.member));
        edit("inertia")->setText(qs(outcome.inertia));
        edit("modulus")->setText(qs(outcome.modulus));
        edit("selfw")->setText(qs(outcome.selfw));
        m_B1->setText(qs(outcome.B1));
        m_H1->setText(qs(outcome.H1));
        m_tf1->setText(qs(outcome.tf1));
        if (outcome.result)
            showResult(*outcome.result);
    }
    m_keisanchuu->hide();
    m_watch->hide();
    if (!outcome.error.empty()) {
        m_hantei->setText(kNotCalculated);
        m_dialogs.inform(qs(outcome.error));
        return false;
    }
    if (outcome.checked == 0) {
        // nothing was checked: say so instead of closing as if a result were there
        m_dialogs.inform(QStringLiteral("部材リスト（%1）に「%2」の部材がありません。")
                             .arg(QDir::toNativeSeparators(m_filepath), qs(outcome.familyCode)));
        return false;
    }
    return outcome.result.has_value();
}

void InputPage::keisanClick()
{
    if (!(beam::parseNumber(ss(edit(QStringLiteral("Span"))->text())) > 0))
        return;
    if (m_keisan2->text() != kStart)
        return;
    const bool done = m_design->isChecked() ? runSelection() : runOneCheck();
    if (!done)
        return;
    m_dialogs.inform(kFinished);
    m_keisan2->setText(kStored);
}

void InputPage::kakunouClick()
{
    if (m_keisan2->text() != kStart)
        Q_EMIT storeRequested();
}

// ---------------------------------------------------------------- section choice

void InputPage::loadPicture(QLabel *target, const QString &path)
{
    QPixmap picture;
    if (!picture.load(path)) {
        m_dialogs.inform(QStringLiteral("図のファイル「%1」を読み込めませんでした。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    target->setPixmap(picture);
}

void InputPage::supportChosen(int id)
{
    for (const SupportSpec &s : kSupports)
        if (static_cast<int>(s.support) == id && !m_shapepath.isEmpty())
            loadPicture(m_supportPicture, m_shapepath + QLatin1Char('/') + QString::fromUtf8(s.picture));
    invalidate();
}

void InputPage::shapeChosen(int id)
{
    const auto family = static_cast<beam::Family>(id);
    const auto dims = {edit("H"), edit("B"), edit("tw"), edit("tf")};
    auto showDimension = [this](const char *name, bool show) {
        edit(QString::fromUtf8(name))->setVisible(show);
        findChild<QLabel *>(QStringLiteral("dim_") + QString::fromUtf8(name))->setVisible(show);
    };
    auto hideDimensions = [&] {
        m_danmenzu->hide();
        for (const char *name : {"H", "B", "tf", "tw"})
            showDimension(name, false);
    };
    auto enableProperties = [this](bool member, bool others) {
        edit("member")->setEnabled(member);
        for (const char *name : {"inertia", "modulus", "selfw"})
            edit(QString::fromUtf8(name))->setEnabled(others);
    };

    if (isCatalogueFamily(family)) {
        setFlag1(QStringLiteral("0"));
        const QString name = m_familyLists[static_cast<std::size_t>(id)]->currentText();
        // the catalogue's values even when the name stays (typed values would otherwise
        // stay beside a catalogue designation)
        if (edit("member")->text() == name)
            memberChange();
        else
            edit("member")->setText(name);
        if (m_shapeGroup->button(id)->isChecked()) {
            hideDimensions();
            enableProperties(false, false);
        }
        return;
    }
    switch (family) {
    case beam::Family::BH:
    case beam::Family::Kaku:
    case beam::Family::Maru: {
        const char *picture = family == beam::Family::BH ? "BH.bmp" : family == beam::Family::Kaku ? "kaku.bmp" : "maru.bmp";
        edit("member")->setText(QString());
        m_danmenzu->show();
        loadPicture(m_danmenzu, m_workDir + QStringLiteral("/shape/") + QString::fromUtf8(picture));
        for (QLineEdit *e : dims)
            e->setText(QString());
        showDimension("B", true);
        showDimension("tf", true);
        showDimension("H", family != beam::Family::Maru);
        if (family == beam::Family::BH) {
            showDimension("tw", true);
        } else {
            edit("tw")->setText(QString());
            showDimension("tw", false);
        }
        // captions: D and t for the pipes
        findChild<QLabel *>(QStringLiteral("dim_B"))->setText(family == beam::Family::Maru ? QStringLiteral("D")
                                                                                           : QStringLiteral("B"));
        findChild<QLabel *>(QStringLiteral("dim_tf"))->setText(family == beam::Family::BH ? QStringLiteral("tf")
                                                                                           : QStringLiteral("t"));
        enableProperties(true, false);
        setFlag1(QStringLiteral("1"));
        edit("B")->setFocus(Qt::OtherFocusReason);
        break;
    }
    case beam::Family::Direct:
        hideDimensions();
        enableProperties(true, true);
        setFlag1(QStringLiteral("1"));
        edit("member")->setFocus(Qt::OtherFocusReason);
        break;
    case beam::Family::User:
        chooseUserMember();
        break;
    default:
        break;
    }
}

void InputPage::familyListChanged(int family)
{
    QAbstractButton *radio = m_shapeGroup->button(family);
    if (!radio->isChecked())
        radio->setChecked(true);
    edit("member")->setText(m_familyLists[static_cast<std::size_t>(family)]->currentText());
    setFlag1(QStringLiteral("0"));
}

void InputPage::chooseUserMember()
{
    if (m_choosingUser)
        return;
    m_choosingUser = true;
    setFlag1(QStringLiteral("1"));
    if (m_members) {
        const std::optional<sections::MemberChoice> choice =
            sections::chooseMember(*m_members, ss(m_userlist->currentText()), m_weak->isChecked());
        if (choice) {
            edit("member")->setText(qs(choice->member));
            edit("selfw")->setText(qs(choice->selfw));
            edit("inertia")->setText(qs(choice->inertia));
            edit("modulus")->setText(qs(choice->modulus));
            m_danmenzu->hide();
            for (const char *name : {"H", "B", "tf", "tw"}) {
                edit(QString::fromUtf8(name))->hide();
                findChild<QLabel *>(QStringLiteral("dim_") + QString::fromUtf8(name))->hide();
            }
            for (const char *name : {"member", "inertia", "modulus", "selfw"})
                edit(QString::fromUtf8(name))->setEnabled(false);
            m_shapeGroup->button(static_cast<int>(beam::Family::User))->setChecked(true);
            m_mmCaption->hide();
        }
    }
    m_choosingUser = false;
}

void InputPage::memberChange()
{
    invalidate();
    if (m_flag1->text() != QLatin1String("0"))
        return;
    const sections::LookupOutcome outcome =
        sections::lookupMember(ss(m_filepath), ss(edit("member")->text()), m_weak->isChecked());
    if (!outcome.texts) {
        m_dialogs.inform(qs(outcome.error));
        return;
    }
    const sections::SectionTexts &t = *outcome.texts;
    edit("selfw")->setText(qs(t.selfw));
    edit("inertia")->setText(qs(t.inertia));
    edit("modulus")->setText(qs(t.modulus));
    m_B1->setText(qs(t.B1));
    m_H1->setText(qs(t.H1));
    m_tf1->setText(qs(t.tf1));
}

void InputPage::BChange()
{
    sections::DimensionTexts d;
    d.H = ss(edit("H")->text());
    d.B = ss(edit("B")->text());
    d.tw = ss(edit("tw")->text());
    d.tf = ss(edit("tf")->text());
    beam::Family shape = beam::Family::Direct;
    for (beam::Family f : {beam::Family::BH, beam::Family::Kaku, beam::Family::Maru})
        if (m_shapeGroup->button(static_cast<int>(f))->isChecked())
            shape = f;
    const sections::ComputedSection c = sections::computeSection(shape, d, m_weak->isChecked());
    m_H1->setText(qs(c.H1));
    m_B1->setText(qs(c.B1));
    m_tf1->setText(qs(c.tf1));
    if (c.member)
        edit("member")->setText(qs(*c.member));
    // on a refusal the three fields are emptied, so that no earlier section's values
    // stay beside the new name (the check then refuses the empty I and Z)
    edit("inertia")->setText(qs(c.inertia));
    edit("modulus")->setText(qs(c.modulus));
    edit("selfw")->setText(qs(c.selfw));
    if (!c.error.empty())
        m_dialogs.inform(qs(c.error));
}

void InputPage::designToggled(bool on)
{
    m_keisan2->setText(kStart);
    for (beam::Family f : {beam::Family::L, beam::Family::I, beam::Family::BH, beam::Family::Kaku, beam::Family::Maru,
                           beam::Family::User})
        m_shapeGroup->button(static_cast<int>(f))->setVisible(!on);
    m_familyLists[static_cast<std::size_t>(beam::Family::L)]->setVisible(!on);
    m_familyLists[static_cast<std::size_t>(beam::Family::I)]->setVisible(!on);
    m_userlist->setVisible(!on);
    if (on) {
        m_weak->setChecked(false);
        m_weak->hide();
        m_danmenzu->hide();
        for (const char *name : {"H", "B", "tf", "tw"}) {
            edit(QString::fromUtf8(name))->hide();
            findChild<QLabel *>(QStringLiteral("dim_") + QString::fromUtf8(name))->hide();
        }
    } else {
        m_weak->show();
    }
}

// ---------------------------------------------------------------- load groups

void InputPage::uniformCalculator()
{
    const beam::UniformFormula f = beam::uniformCalculator(ss(edit("uw")->text()), ss(edit("lwa")->text()),
                                                           ss(edit("lwb")->text()), ss(edit("nnl")->text()));
    if (!f.error.empty()) {
        m_dialogs.inform(qs(f.error));
        return;
    }
    edit("shiki")->setText(qs(f.shiki));
    edit("uniform")->setText(qs(f.uniform));
}

void InputPage::Button1Click()
{
    for (const char *name : {"uniform", "shiki", "uw", "lwa", "lwb", "nnl"})
        edit(QString::fromUtf8(name))->clear();
}

void InputPage::Button2Click()
{
    for (QLineEdit *e : m_p)
        e->clear();
    for (QLineEdit *e : m_pl)
        e->clear();
}

void InputPage::Button3Click()
{
    for (std::size_t j = 0; j < 3; ++j)
        for (QLineEdit *e : {m_w1[j], m_w2[j], m_ld[j][0], m_ld[j][1], m_ld[j][2]})
            e->clear();
}

// ---------------------------------------------------------------- reaction list, calculator

void InputPage::toggleReactionList()
{
    if (m_reactionList->isVisible()) {
        m_reactionList->hide();
        return;
    }
    const std::vector<results::ReactionRow> rows = m_table ? results::reactionRows(*m_table) : std::vector<results::ReactionRow>{};
    m_reactionList->clearContents();
    m_reactionList->setRowCount(static_cast<int>(rows.size()) + 1);
    auto cell = [this](int row, int column, const QString &text, bool header) {
        auto *item = new QTableWidgetItem(text);
        if (header)
            item->setBackground(QColor(212, 208, 200));
        else if (column > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // a reaction wider than its 40-pixel column is drawn smaller rather than cut to
        // "27.…": every digit of the stored value stays readable
        if (column > 0) {
            const int margin = m_reactionList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr,
                                                                    m_reactionList) + 1;
            const int grid = m_reactionList->showGrid() ? 1 : 0;
            const int room = m_reactionList->columnWidth(column) - grid - 2 * margin - 1;
            QFont f = m_reactionList->font();
            int pixels = QFontInfo(f).pixelSize();
            while (pixels > 6 && QFontMetrics(f).horizontalAdvance(text) > room)
                f.setPixelSize(--pixels);
            item->setFont(f);
        }
        m_reactionList->setItem(row, column, item);
    };
    cell(0, 0, QString(), true);
    cell(0, 1, QStringLiteral("Qa"), true);
    cell(0, 2, QStringLiteral("Qb"), true);
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const int row = static_cast<int>(n) + 1;
        cell(row, 0, qs(rows[n].name), false);
        cell(row, 1, qs(rows[n].Qa), false);
        cell(row, 2, qs(rows[n].Qb), false);
    }
    m_reactionList->show();
    m_reactionList->raise();
}

void InputPage::Image35Click()
{
    const bool show = !m_calc->isVisible();
    for (QWidget *w : std::as_const(m_calculatorWidgets)) {
        w->setVisible(show);
        if (show)
            w->raise();
    }
}

void InputPage::calculatorKey(const QString &key)
{
    sections::PocketCalc pc;
    pc.memory = ss(m_memory->text());
    pc.calcres = ss(m_calcres->text());
    pc.calc = ss(m_calc->text());
    if (key == QLatin1String("AC"))
        sections::pressClear(pc);
    else if (key == QStringLiteral("＝"))
        sections::pressEqual(pc);
    else if (key.size() == 1 && (key[0].isDigit() || key[0] == QLatin1Char('.')))
        sections::pressDigit(pc, key[0].toLatin1());
    else
        sections::pressOperator(pc, ss(key));
    m_memory->setText(qs(pc.memory));
    m_calcres->setText(qs(pc.calcres));
    m_calc->setText(qs(pc.calc));
}

// ---------------------------------------------------------------- field rules

void InputPage::setBoxColour(QLineEdit *box, beam::BoxColour colour)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colourOf(colour));
    box->setPalette(pal);
}

beam::DimensionShape InputPage::dimensionShape() const
{
    if (m_shapeGroup->button(static_cast<int>(beam::Family::BH))->isChecked())
        return beam::DimensionShape::BuiltUpH;
    if (m_shapeGroup->button(static_cast<int>(beam::Family::Kaku))->isChecked())
        return beam::DimensionShape::SquarePipe;
    if (m_shapeGroup->button(static_cast<int>(beam::Family::Maru))->isChecked())
        return beam::DimensionShape::CircularPipe;
    return beam::DimensionShape::Other;
}

void InputPage::boxEnter(const QString &box)
{
    QLineEdit *e = edit(box);
    if (e && beam::boxRule(ss(box)))
        setBoxColour(e, beam::BoxColour::Yellow);
}

void InputPage::boxExit(const QString &box)
{
    QLineEdit *e = edit(box);
    const beam::BoxRule *entry = e ? beam::boxRule(ss(box)) : nullptr;
    if (!entry)
        return;
    if (entry->rule == beam::LeaveRule::Segment) {
        int load = 0, segment = 0;
        beam::segmentBox(entry->box, &load, &segment);
        const auto &boxes = m_ld[static_cast<std::size_t>(load)];
        beam::SegmentTexts seg{ss(boxes[0]->text()), ss(boxes[1]->text()), ss(boxes[2]->text())};
        seg = beam::completeSegment(segment, ss(edit("Span")->text()), seg);
        // the box left first, then the completed one
        const std::string *texts[] = {&seg.ld1, &seg.ld2, &seg.ld3};
        boxes[static_cast<std::size_t>(segment - 1)]->setText(qs(*texts[segment - 1]));
        const int other = segment == 3 ? 0 : 2;
        boxes[static_cast<std::size_t>(other)]->setText(qs(*texts[other]));
        setBoxColour(e, beam::BoxColour::White);
        return;
    }
    if (entry->rule == beam::LeaveRule::ColourOnly) {
        setBoxColour(e, beam::BoxColour::White);
        return;
    }
    const beam::LeaveOutcome out = beam::leaveBox(*entry, ss(e->text()));
    e->setText(qs(out.text));
    setBoxColour(e, out.colour);
}

bool InputPage::boxKeyPress(const QString &box, QChar key)
{
    if (key != QChar(13))
        return false;
    const std::string_view target = beam::enterTarget(ss(box), dimensionShape());
    if (target.empty())
        return false;
    if (QLineEdit *next = edit(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()))))
        if (next->isEnabled() && next->isVisible())
            next->setFocus(Qt::TabFocusReason);
    return true;
}

bool InputPage::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || !m_edits.contains(box->objectName()))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        boxEnter(box->objectName());
        break;
    case QEvent::FocusOut: {
        // a box is left when the focus moves inside the window, not when the window
        // itself is deactivated or a menu opens
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason) {
            boxExit(box->objectName());
            box->setCursorPosition(0); // the start of the text in view once the box is left
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && boxKeyPress(box->objectName(), QChar(13)))
            return true;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
