// Page 2, "計算結果表": the 50 result slots with their print marks, the display of the
// selected slot (SlotDisplay), the slot operations (rename, move, retry, delete), select
// all / clear all, and the images of the project commands (new, open, save; run by
// ProjectCommands). The table logic lives in results/; this page binds its controls to it
// and shows what the table holds (button caption = field 2, mark image = print mark, the
// selected button drawn 5 pixels to the left with the shadow `kage` beside it).
#pragma once

#include "results/table.h"

#include <QImage>
#include <QWidget>

#include <array>

class Dialogs;
class ImageButton;
class InputPage;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SlotDisplay;

class ResultPage : public QWidget {
    Q_OBJECT
public:
    // The page reads and changes `table`, asks and tells through `dialogs`, takes the
    // store from and recalls into `input`.
    ResultPage(results::Table &table, Dialogs &dialogs, InputPage &input, QWidget *parent = nullptr);

    // Start-up step: the slot control arrays `data1`..`data50`, `chk1`..`chk50` show the
    // table (captions, marks, the selected button's shift).
    void fillSlotArrays();
    // The folder of the support pictures (`shapepath`, absolute).
    void setShapepath(const QString &shapepath);

    // The slot controls by slot number 1..50 (nullptr outside).
    QPushButton *data(int slot) const;
    ImageButton *chk(int slot) const;
    // True when mark image `chk`slot shows the `onchk` picture.
    bool markShown(int slot) const;
    // The context menu of the slot buttons ("Rename", "Move", "Retry", "Delete").
    QMenu *slotMenu() const { return m_slotMenu; }
    // The move trigger `movecom`: 0 at start, kMoveWaits while a move waits for its
    // destination, else the last destination.
    static constexpr int kMoveWaits = 99;
    int movecom() const { return m_movecom; }
    bool moveWaits() const { return m_movecom == kMoveWaits; }
    const QImage &loadDiagramImage() const;
    const QImage &stressDiagramImage() const;

    // ---- named operations ----
    void list();               // store the input page's result into the next slot
    void showSlot();           // show the slot in `selected` (and the selection shift)
    void dataClick(int slot);  // slot button: select, or the destination of a move
    void chkClick(int slot);   // mark image: toggle the print mark
    void Image4Click();        // select all (slots in use)
    void Image5Click();        // clear all
    void delete1Click();
    void move1Click();
    void rename1Click();
    void recalc1Click();       // Retry: the selected slot back into the input page
    // The images of the project commands: new, open and save.
    void newdataClick();
    void yobidashiClick();
    void hozonClick();

    // Every command starts here: a rename under way ends first.
    void beginCommand();
    // A waiting move is given up (the table or the selection changes under it).
    void cancelMove();
    // Every slot and the selected one shown again, once the table has been replaced.
    void showTable();
    // A command from outside the page that changes the table: before it a rename under
    // way ends and a waiting move is cancelled; after it every slot and the selected one
    // are shown again and this page becomes the active one.
    void beginTableCommand();
    void tableChanged();

Q_SIGNALS:
    void recordsChanged();                       // the records changed: the unsaved mark may change
    void newRequested();                         // the images `newdata`, `yobidashi`, `hozon`
    void openRequested();
    void saveRequested();
    void resultPageWanted();                     // make this page the active one
    void inputPageWanted();                      // make the input page the active one
    void printRequested();                       // the print image `printer1`
    void exitRequested();                        // the exit image of this page

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupSlotArea();
    void refreshSlot(int slot);
    void refreshAll();
    void placeButtons();
    void moveTo(int destination);
    void finishRename();

    results::Table &m_table;
    Dialogs &m_dialogs;
    InputPage &m_input;
    SlotDisplay *m_display = nullptr;

    std::array<QPushButton *, results::kSlots + 1> m_data{}; // [1..50]
    std::array<ImageButton *, results::kSlots + 1> m_chk{};  // [1..50]
    QLabel *m_onchk = nullptr;
    QLabel *m_offchk = nullptr;
    QLabel *m_kage = nullptr;
    QMenu *m_slotMenu = nullptr;
    QLineEdit *m_idou = nullptr;
    QLineEdit *m_rename = nullptr;
    int m_renameSlot = 0; // the slot being renamed; 0 when no rename is under way
    int m_movecom = 0;
};
