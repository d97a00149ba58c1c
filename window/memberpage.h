// Page 4, "部材登録他": the registered members (group "部材登録"), the section property
// calculator (group "断面性能", CalculatorGroup) and the stress unit converter (groups "従来単位" and
// "SI単位").
//
// The member group shows sections::MemberList (owned by the main window): before an
// operation the page copies its entry boxes and `uno` into the list, the list does the
// work (and rewrites the member file), and the page shows the list again. The two aids
// read only their own boxes and write only their own result texts.
#pragma once

#include <QWidget>

#include <array>

class Dialogs;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace sections {
struct MemberList;
struct MemberOutcome;
}

class MemberPage : public QWidget {
    Q_OBJECT
public:
    explicit MemberPage(Dialogs &dialogs, QWidget *parent = nullptr);

    // Start-up step: the registered-member grid's columns and headings.
    void prepareGrid();
    // The registered members loaded at start-up; shown at once and after every operation.
    void setMembers(sections::MemberList *members);

    // ---- named operations of the member group ----
    void Image29Click(); // store the entry boxes into row `uno`
    void Image30Click(); // ask for the number of the member to delete
    void Image31Click(); // ask for the number of the member to change
    // Enter in `uno`: confirms the awaited number; true when the key was consumed.
    bool unoKeyPress(QChar key);

    // ---- the stress unit converter ----
    void Image25Click(); // `tmunit` to `siunit`
    void Image26Click(); // `siunit` to `tmunit`

Q_SIGNALS:
    // The member list changed (a store or a deletion): `userlist` on page 1 follows it.
    void membersChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setupMemberGroup();
    void setupConverter();

    void readMemberControls(); // entry boxes and `uno` into the list
    void showMembers();        // the list into the grid, `labelh`, `uno` and the entry boxes
    void showGrid();
    void fitColumn(int column);
    void reportSave(const sections::MemberOutcome &outcome);

    Dialogs &m_dialogs;
    sections::MemberList *m_members = nullptr;

    QTableWidget *m_usergrid = nullptr;
    std::array<QLineEdit *, 7> m_entry{}; // umember, uA, uWW, uIx, uIy, uZx, uZy
    QLineEdit *m_uno = nullptr;
    QLabel *m_labelh = nullptr;

    QLineEdit *m_tmunit = nullptr;
    QLineEdit *m_siunit = nullptr;
    QRadioButton *m_tcm2 = nullptr, *m_tm2 = nullptr, *m_kncm2 = nullptr, *m_mpa = nullptr;
};
