#include "window/resultpage.h"

#include "results/messages.h"
#include "results/slotfields.h"
#include "results/slotops.h"
#include "results/slotview.h"
#include "results/store.h"
#include "window/dialogs.h"
#include "window/imagebutton.h"
#include "window/inputpage.h"
#include "window/pictures.h"
#include "window/slotdisplay.h"
#include "window/style.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace style;

namespace {

// ---- the slot area ----
constexpr int kButtonWidth = 57; // slot button, pixels
constexpr int kButtonHeight = 23;
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
using pictures::kCommandSize, pictures::kFileFace, pictures::kSlotFace, pictures::kDeleteFace, pictures::kMarkFace,
    pictures::kPrintFace;

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

} // namespace

ResultPage::ResultPage(results::Table &table, Dialogs &dialogs, InputPage &input, QWidget *parent)
    : QWidget(parent), m_table(table), m_dialogs(dialogs), m_input(input)
{
    setObjectName(QStringLiteral("resultPage"));
    m_display = new SlotDisplay(dialogs, input.boxRules(), this);
    connect(m_display, &SlotDisplay::exitRequested, this, &ResultPage::exitRequested);
    setupSlotArea();
    fillSlotArrays();
    showSlot();
}

// ---------------------------------------------------------------- construction

void ResultPage::setupSlotArea()
{
    // the hidden pictures the mark images copy
    m_onchk = new QLabel(this);
    m_onchk->setObjectName(QStringLiteral("onchk"));
    m_onchk->setPixmap(pictures::mark(true));
    m_onchk->hide();
    m_offchk = new QLabel(this);
    m_offchk->setObjectName(QStringLiteral("offchk"));
    m_offchk->setPixmap(pictures::mark(false));
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
        mark->setGeometry(QRect(QPoint(column.markX, slotY(slot)), pictures::kMarkSize));
        connect(mark, &ImageButton::clicked, this, [this, slot] { chkClick(slot); });
        m_chk[static_cast<std::size_t>(slot)] = mark;
    }

    m_kage = new QLabel(this);
    m_kage->setObjectName(QStringLiteral("kage"));
    m_kage->setPixmap(pictures::shadow(QSize(kShift, kButtonHeight)));
    m_kage->resize(kShift, kButtonHeight);
    m_kage->hide();

    for (const CommandSpec &c : kCommands) {
        auto *b = new ImageButton(this);
        b->setObjectName(qs(c.name));
        b->setGeometry(QRect(QPoint(kCommandX, c.y), kCommandSize));
        b->setPixmap(pictures::command(c.caption, c.face));
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

// ---------------------------------------------------------------- slot controls

void ResultPage::fillSlotArrays()
{
    refreshAll();
}

void ResultPage::setShapepath(const QString &shapepath)
{
    m_display->setShapepath(shapepath);
}

QPushButton *ResultPage::data(int slot) const
{
    return slot >= 1 && slot <= results::kSlots ? m_data[static_cast<std::size_t>(slot)] : nullptr;
}

ImageButton *ResultPage::chk(int slot) const
{
    return slot >= 1 && slot <= results::kSlots ? m_chk[static_cast<std::size_t>(slot)] : nullptr;
}

const QImage &ResultPage::loadDiagramImage() const
{
    return m_display->loadDiagramImage();
}

const QImage &ResultPage::stressDiagramImage() const
{
    return m_display->stressDiagramImage();
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
    QString caption = qs(m_table.slots[k][results::field::kName]);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    m_data[k]->setText(caption);
    if (results::slotFails(m_table, slot))
        setTextColour(m_data[k], kRed); // a failing beam stands out
    else
        m_data[k]->setPalette(QPalette());
    m_chk[k]->setPixmap(results::isMarked(m_table, slot) ? m_onchk->pixmap() : m_offchk->pixmap());
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
    m_display->clearMoments();
    placeButtons();
    const int s = m_table.selected;
    const bool selected = s >= 1 && s <= results::kSlots;
    m_display->fill(results::slotView(m_table, s), selected ? &m_table.slots[static_cast<std::size_t>(s)] : nullptr);
}

// ---------------------------------------------------------------- store, marks, selection

void ResultPage::list()
{
    beginCommand();
    const sections::NamedBeam page = m_input.pageTexts();
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
    Q_EMIT recordsChanged();
    Q_EMIT resultPageWanted();
    m_input.setFreshResult(FreshResult::MayCalculate); // the same result cannot be stored twice
    showSlot();
    m_dialogs.inform(qs(results::kStoredMessage));
}

void ResultPage::dataClick(int slot)
{
    beginCommand();
    if (moveWaits()) {
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
    beginCommand();
    if (!results::selectedInUse(m_table))
        return; // nothing selected, or a free slot: nothing to delete
    if (!m_dialogs.askYesNo(qs(results::kDeleteQuestion)))
        return;
    if (!results::deleteSelected(m_table))
        return;
    cancelMove(); // the selection changes: a waiting move would take another record
    refreshAll();
    Q_EMIT recordsChanged();
    showSlot();
}

void ResultPage::move1Click()
{
    beginCommand();
    QPushButton *button = data(m_table.selected);
    if (!button || !results::selectedInUse(m_table))
        return;
    m_idou->move(button->geometry().right() + 1, button->y());
    m_idou->show();
    m_idou->raise();
    m_movecom = kMoveWaits;
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
        Q_EMIT recordsChanged();
        showSlot();
    }
    m_idou->hide();
}

void ResultPage::cancelMove()
{
    if (moveWaits())
        m_movecom = 0;
    m_idou->hide();
}

void ResultPage::rename1Click()
{
    beginCommand();
    QPushButton *button = data(m_table.selected);
    if (!button || !results::selectedInUse(m_table))
        return;
    m_renameSlot = m_table.selected;
    m_rename->move(button->pos());
    m_rename->setText(qs(m_table.slots[static_cast<std::size_t>(m_renameSlot)][results::field::kName]));
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
        Q_EMIT recordsChanged();
    }
}

void ResultPage::recalc1Click()
{
    beginCommand();
    const std::optional<sections::NamedBeam> page = results::recallSelected(m_table, m_input.inputTexts().support);
    if (!page)
        return; // nothing selected, or a free slot: nothing to recall
    if (m_input.freshResult() == FreshResult::WaitsForStore && !m_dialogs.askYesNo(qs(results::kRecallQuestion)))
        return; // the calculated result waiting to be stored stays
    m_input.recall(*page, [this] { Q_EMIT inputPageWanted(); });
}

// ---------------------------------------------------------------- commands

void ResultPage::newdataClick()
{
    Q_EMIT newRequested();
}

void ResultPage::yobidashiClick()
{
    Q_EMIT openRequested();
}

void ResultPage::hozonClick()
{
    Q_EMIT saveRequested();
}

// A rename under way ends before any other command, on its own record: the command may
// change the selection or the table under it, or save the table without its new name.
void ResultPage::beginCommand()
{
    finishRename();
}

void ResultPage::beginTableCommand()
{
    beginCommand();
    cancelMove();
}

void ResultPage::showTable()
{
    refreshAll();
    showSlot();
}

void ResultPage::tableChanged()
{
    m_table.changed = true; // not saved yet
    Q_EMIT recordsChanged();
    showTable();
    Q_EMIT resultPageWanted();
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
    }
    return QWidget::eventFilter(watched, event);
}
