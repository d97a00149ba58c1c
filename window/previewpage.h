// Page 3, "印刷プレビュー": the calculation-sheet preview `pageA` with its page buttons, the
// bitmap export and printing. The column beside it holds the print settings that preview
// and printout share (window/printsettings.h), the SI allowable-stress basis that the next
// calculation uses (window/sibasis.h) and the kind of sheet (window/sheetkind.h).
//
// Data route: the result table (owned by the main window) + the settings controls ->
// sheets::PageSettings -> composeSheetPage onto the 630 x 885 page bitmap (shown in
// `pageA`, saved by `Tobmp`), or sheets::printSheets on the printer the print dialog set up.
#pragma once

#include "sheets/page.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <optional>

class Dialogs;
class ImageButton;
class PrintSettingsGroup;
class QLineEdit;
class QTabWidget;
class SheetKindChoice;
class SiBasisGroup;

namespace results {
struct Table;
}

// The bitmap file a chosen save name stands for, without ".bmp": the name with the
// extension of its last path element removed ("page3.txt" -> "page3"). A leading dot
// ("dir/.bmp") is the file's name, not an extension.
QString bitmapFileBase(const QString &chosen);

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    PreviewPage(Dialogs &dialogs, const results::Table &table, QWidget *parent = nullptr);

    // True when the SI allowable stress is based on 157 MPa (`si157`), false for
    // 156.906 MPa (`si156`, the start-up choice).
    bool si157() const;

    // Follows the main window's tab control: a switch of the active page by the user
    // composes the shown page, and the tab control receiving the input focus (from no
    // focus or from a control of the window outside it) runs PageControl1Enter.
    void followTabControl(QTabWidget *tabs);
    // Makes another page active as the program does (after storing a result): such a
    // switch composes nothing.
    void switchPageQuietly(int index);

    // ---- named operations ----
    void hyoujipageChange(); // composes the displayed page onto the page bitmap
    void backClick();        // one page back, not below 1
    void nextClick();        // one page on, not beyond 25 (the detailed kind: its last page)
    void PageControl1Enter(); // `hyoujipage` "2" then "1": page 1, composed afresh
    void Image13Click();     // `pageA` at full size, 630 x 885
    void Image12Click();     // `pageA` showing the whole page, 370 x 520 at most
    void TobmpClick();       // saves the page bitmap as a BMP file
    // Prints the sheets of all marked slots (`printer2`, page 2's `printer1` and the menu
    // "印刷"): the margin and the first page number are checked before the print dialog,
    // so a refusal never leaves a print job open.
    void printer2Click();
    // Writes the sheets of all marked slots into a PDF file chosen in the save dialog
    // ("PDF出力..."), with the print settings and the A4 page of `kovel-cli sheets`.
    void pdfClick();

    // The settings as the controls hold them (displayed page, page numbers, margin).
    sheets::PageSettings settings() const;
    // The page bitmap as last composed (630 x 885).
    const QImage &pageImage() const { return m_page; }

Q_SIGNALS:
    void composed(); // after every composition of the page bitmap

private:
    void setupPageButtons();
    void setupMarking();
    void setupFoot(); // the SI basis, the PDF export and the kind of sheet
    void setHyoujipage(int page);
    int lastPage() const;
    void focusMoved(QWidget *now);
    // The checks before printing (margin, first page number, something marked): the
    // margin as it is to be shown, or nothing after the refusal's message.
    std::optional<QString> checkPrintSettings();
    // The file an export writes: the name chosen in the save dialog (proposing `proposed`)
    // with its extension replaced by `extension`, once the overwrite question has been
    // answered Yes; empty when cancelled, refused or answered No.
    QString chooseExportFile(const char *filter, const QString &extension, const QString &proposed = {});

    Dialogs &m_dialogs;
    QString m_lastBitmap; // the last bitmap saved, proposed by the next export
    const results::Table &m_table;
    QImage m_page;      // 630 x 885 pixels: the page that is saved as a bitmap
    QImage m_shownPage; // the same page at the screen's device pixel ratio, shown in `pageA`

    QWidget *m_pageA = nullptr;
    QLineEdit *m_hyoujipage = nullptr;
    PrintSettingsGroup *m_printSettings = nullptr;
    SiBasisGroup *m_siBasis = nullptr;
    SheetKindChoice *m_kind = nullptr;

    QTabWidget *m_tabs = nullptr;
    bool m_quietSwitch = false; // a switch by the program is under way
    bool m_tabsFocused = false; // the input focus is inside the tab control
};
