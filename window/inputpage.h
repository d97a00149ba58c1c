// Page 1, "入力と計算": the beam, its loads and its section, the calculation and its
// results with the load and stress diagrams, the reaction list and the pocket calculator.
//
// The page composes its panels (beam and load groups, supports with the calculator and
// the reaction list, section, diagrams and results) and owns what joins them: the field
// rules of every input box, the calculation, and the texts read and written by the store
// and the recall. Every value lives as text in a named control (object name = the agreed
// name, so `findChild<QLineEdit *>("Span")` finds it). The page reads the texts into
// beam::InputTexts when it calculates and writes the core's result texts back; it never
// computes a formula itself.
#pragma once

#include "beam/check.h"
#include "beam/fieldrules.h"
#include "window/boxrules.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class BeamGroup;
class Dialogs;
class PartGroup;
class PointGroup;
class QLineEdit;
class QPushButton;
class ResultPanel;
class SectionPanel;
class SupportPanel;
class UniformGroup;

namespace results {
struct Table;
}
namespace sections {
struct MemberList;
struct NamedBeam;
}

// The fresh-result flag: a calculation may run, or its result waits to be stored. The
// hidden button `keisan2` shows it as its text.
enum class FreshResult { MayCalculate, WaitsForStore };

class InputPage : public QWidget {
    Q_OBJECT
public:
    explicit InputPage(Dialogs &dialogs, QWidget *parent = nullptr);

    // Start-up: the catalogue file (`filepath`), the folder of the support pictures
    // (`shapepath`) and the working directory that holds "shape/" (section sketches).
    void setPaths(const QString &filepath, const QString &shapepath, const QString &workDir);
    // Where the SI allowable-stress basis is chosen (page 3); true for 157 MPa.
    void setSi157Source(std::function<bool()> si157);
    // The result table, read by the reaction list.
    void setResultTable(const results::Table *table);
    // The registered members offered in `userlist`; refreshUserList() after they change.
    void setMembers(const sections::MemberList *members);
    void refreshUserList();

    // ---- named operations ----
    void kajuuzu();      // redraws the load diagram from the fields
    void sakuzu();       // redraws the stress diagram from `Mgrid`, `RMmax`, `RQa`, `RQb`
    void keisanClick();  // calculate: one check or the automatic selection
    void kakunouClick(); // store: asks for the store when a fresh result waits
    void memberChange(); // catalogue lookup
    void BChange();      // computed section from the dimension boxes
    void Button1Click(); // Reset of the uniform load
    void Button2Click(); // Reset of the point loads
    void Button3Click(); // Reset of the part-span loads
    void Image35Click(); // shows or hides the pocket calculator
    void toggleReactionList();

    // Any input change of the 33 load and span fields: invalidates the result, copies
    // the span under the load diagram and redraws it. The result page's copies call it too.
    void inputChanged();
    // The fresh-result flag to MayCalculate and the verdict to "未計算".
    void invalidate();

    // The basis of the allowable stresses every calculation uses until it is changed;
    // a change invalidates the shown result.
    const beam::Basis &basis() const { return m_basis; }
    void setBasis(const beam::Basis &basis);

    // The field rules of the input boxes, which the result page's copies follow too.
    BoxRules &boxRules() { return m_rules; }

    // ---- state read and written by the other pages ----
    beam::InputTexts inputTexts() const;
    // Everything the store copies into a slot: the inputs, check boxes and radios, the
    // section and the shown results with `Mgrid`, verbatim.
    sections::NamedBeam pageTexts() const;
    // Recall ("Retry" on page 2): assigns the controls from a stored slot in the fixed
    // order (name, axis and term, span and limits, loads, self weight; `showPage` brings
    // this page to the front; shape radio, section, result labels with the verdict,
    // support, units, moment labels, `Mgrid`, stress diagram). Each assignment that
    // changes a control runs its change handler, so the verdict stays the stored one
    // unless the support or the unit system changed.
    void recall(const sections::NamedBeam &page, const std::function<void()> &showPage);
    FreshResult freshResult() const { return m_fresh; }
    void setFreshResult(FreshResult fresh);
    QString keisan2() const;                 // the flag as `keisan2` shows it: "計算開始" or "結果登録"
    void setKeisan2(const QString &flag);    // the flag by that text
    QString flag1() const;                   // "0" catalogue, "1" computed/typed/registered
    const beam::MomentGrid &mgrid() const;
    void setMgrid(const beam::MomentGrid &cells);
    void setUnitCaptions(bool si);           // the nine unit labels, navy SI / red traditional
    const QImage &loadDiagramImage() const;
    const QImage &stressDiagramImage() const;

Q_SIGNALS:
    void storeRequested(); // `kakunou` clicked while a calculated result waits
    void exitRequested();  // the exit image

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupCommandImages();
    QLineEdit *edit(const QString &name) const;
    QString text(const char *name) const;
    template <class Texts>
    void readLoadTexts(Texts &in) const;
    // The check of the shown section, or the automatic selection. Nothing when refused,
    // else the note the finished message adds (empty for none).
    std::optional<QString> runOneCheck();
    std::optional<QString> runSelection();
    QString noticeDetails() const;

    Dialogs &m_dialogs;
    beam::Basis m_basis;
    QString m_filepath;
    std::function<bool()> m_si157;
    bool m_recalling = false; // recall is setting the unit system of the results it shows

    QHash<QString, QLineEdit *> m_edits; // every input box of the panels, by name
    BoxRules m_rules;
    FreshResult m_fresh = FreshResult::MayCalculate;
    QPushButton *m_keisan2 = nullptr; // shows m_fresh
    BeamGroup *m_beam = nullptr;
    UniformGroup *m_uniform = nullptr;
    PointGroup *m_point = nullptr;
    PartGroup *m_part = nullptr;
    SupportPanel *m_support = nullptr;
    SectionPanel *m_section = nullptr;
    ResultPanel *m_results = nullptr;
};
