#include "window/supportpanel.h"

#include "results/slotview.h"
#include "window/fieldgroup.h"
#include "window/fittext.h"
#include "window/imagebutton.h"
#include "window/pocketcalculator.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

using namespace panel;
using namespace style;

namespace {

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
constexpr int kReactionColumns[] = {46, 37, 37, 22}; // with the scroll bar inside the list's width

} // namespace

SupportPanel::SupportPanel(Dialogs &dialogs, QWidget *parent)
    : QGroupBox(QStringLiteral("支点条件"), parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("supportGroup"));
    setGeometry(172, 172, 168, 204);
    m_supportGroup = new QButtonGroup(this);
    for (const SupportSpec &s : kSupports) {
        auto *r = new QRadioButton(QString::fromUtf8(s.caption), this);
        r->setObjectName(QString::fromUtf8(s.radio));
        r->setGeometry(s.geometry);
        m_supportGroup->addButton(r, static_cast<int>(s.support));
    }
    m_supportGroup->button(static_cast<int>(beam::Support::PinPin))->setChecked(true);
    connect(m_supportGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            supportChosen(id);
    });

    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(kPanel1);
    m_supportPicture = new QLabel(panel1);
    m_supportPicture->setObjectName(QStringLiteral("jouken"));
    m_supportPicture->setGeometry(0, 34, kPanel1.width(), 70);
    m_supportPicture->setAlignment(Qt::AlignCenter);

    auto *calcToggle = new ImageButton(this);
    calcToggle->setObjectName(QStringLiteral("Image35"));
    calcToggle->setGeometry(128, 0, 16, 16);
    calcToggle->setPixmap(imageResource("dentaku.png"));
    calcToggle->setToolTip(QStringLiteral("電卓表示"));
    connect(calcToggle, &ImageButton::clicked, this, &SupportPanel::toggleCalculator);

    auto *reactionToggle = new ImageButton(this);
    reactionToggle->setObjectName(QStringLiteral("hanryokuhyouji"));
    reactionToggle->setGeometry(148, 0, 16, 16);
    reactionToggle->setPixmap(imageResource("hanryoku.png"));
    reactionToggle->setToolTip(QStringLiteral("計算した部材の支点反力を表示します。"));
    connect(reactionToggle, &ImageButton::clicked, this, &SupportPanel::toggleReactionList);

    // the reaction list lies over the picture panel: 20 px to its left, 30 px wider
    m_reactionList = new QTableWidget(this);
    m_reactionList->setObjectName(QStringLiteral("hanryoku"));
    m_reactionList->setGeometry(kPanel1.x() - 20, kPanel1.y(), kPanel1.width() + 30, kPanel1.height());
    m_reactionList->setColumnCount(4);
    m_reactionList->horizontalHeader()->hide();
    m_reactionList->verticalHeader()->hide();
    m_reactionList->verticalHeader()->setMinimumSectionSize(15);
    m_reactionList->verticalHeader()->setDefaultSectionSize(15);
    // name, Qa, Qb and their unit: rows of both unit systems can stand one under the other
    for (int c = 0; c < 4; ++c)
        m_reactionList->setColumnWidth(c, kReactionColumns[c]);
    m_reactionList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_reactionList->setFocusPolicy(Qt::NoFocus);
    m_reactionList->setWordWrap(false);
    m_reactionList->setFont(smallFont(m_reactionList->font()));
    m_reactionList->hide();

    m_calculator = new PocketCalculator(panel1);
}

void SupportPanel::setPicturePath(const QString &shapepath)
{
    m_shapepath = shapepath;
    const int id = m_supportGroup->checkedId();
    for (const SupportSpec &s : kSupports)
        if (static_cast<int>(s.support) == id) {
            QPixmap picture;
            if (picture.load(m_shapepath + QLatin1Char('/') + QString::fromUtf8(s.picture)))
                m_supportPicture->setPixmap(picture);
        }
}

std::optional<beam::Support> SupportPanel::support() const
{
    // the buttons' ids are the supports
    const int id = m_supportGroup->checkedId();
    return id < 0 ? std::nullopt : std::optional(static_cast<beam::Support>(id));
}

void SupportPanel::setSupport(beam::Support support)
{
    m_supportGroup->button(static_cast<int>(support))->setChecked(true);
}

void SupportPanel::supportChosen(int id)
{
    for (const SupportSpec &s : kSupports)
        if (static_cast<int>(s.support) == id && !m_shapepath.isEmpty())
            loadPicture(m_dialogs, m_supportPicture, m_shapepath + QLatin1Char('/') + QString::fromUtf8(s.picture));
    Q_EMIT supportChanged();
}

void SupportPanel::toggleCalculator()
{
    m_calculator->toggle();
}

void SupportPanel::toggleReactionList()
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
            item->setBackground(kFace);
        else if (column == 1 || column == 2)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_reactionList->setItem(row, column, item);
        fit::fitCell(m_reactionList, item); // every digit of a stored reaction stays readable
    };
    cell(0, 0, QString(), true);
    cell(0, 1, QStringLiteral("Qa"), true);
    cell(0, 2, QStringLiteral("Qb"), true);
    cell(0, 3, QString(), true);
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const int row = static_cast<int>(n) + 1;
        cell(row, 0, qs(rows[n].name), false);
        cell(row, 1, qs(rows[n].Qa), false);
        cell(row, 2, qs(rows[n].Qb), false);
        cell(row, 3, qs(rows[n].unit), false);
    }
    m_reactionList->show();
    m_reactionList->raise();
}
