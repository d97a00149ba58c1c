// "断面": the eleven shape choices with the six catalogue lists and the registered
// members, the dimension boxes of the computed shapes, the section properties, `weak`,
// `design` and the progress marks of the automatic selection. It owns the hidden texts
// H1, B1, tf1 (the depth and flange the allowable stress needs) and flag1.
#pragma once

#include "beam/fieldrules.h"
#include "beam/input.h"
#include "window/fieldgroup.h"

#include <array>
#include <optional>

class Dialogs;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

namespace sections {
struct DimensionTexts;
struct MemberList;
struct NamedBeam;
struct SelectionOutcome;
}

class SectionPanel : public FieldGroup {
    Q_OBJECT
public:
    SectionPanel(Dialogs &dialogs, QWidget *parent);

    // The catalogue file and the working directory that holds "shape/".
    void setPaths(const QString &filepath, const QString &workDir);
    void setMembers(const sections::MemberList *members);
    void refreshUserList();

    void memberChange(); // catalogue lookup
    void BChange();      // computed section from the dimension boxes

    // The checked shape, if any; none checked reads as a section typed directly.
    std::optional<beam::Family> checkedFamily() const;
    beam::Family family() const { return checkedFamily().value_or(beam::Family::Direct); }
    beam::DimensionShape dimensionShape() const;
    QCheckBox *weak() const { return m_weak; }
    QCheckBox *design() const { return m_design; }
    QString flag1() const;
    // H1, B1 and tf1 into the check's input.
    void readDepths(beam::InputTexts &in) const;

    // Recall: the shape radio named by the stored family code, the member, the dimension
    // boxes and the properties, each running its change handler.
    void recall(const sections::NamedBeam &page);
    // The progress box and clock while the automatic selection runs.
    void showBusy(bool busy);
    // The last section the selection checked becomes the current one.
    void takeSelection(const sections::SelectionOutcome &outcome);
    // Why the dimension boxes cannot make the checked built-up H or pipe (the message
    // names the box), or empty; always empty for the other shapes.
    QString dimensionRefusal() const;

Q_SIGNALS:
    void sectionChanged(); // the member or a section property
    void designChanged();  // `design` toggled

private:
    void shapeChosen(int id);
    void familyListChanged(int family);
    void chooseUserMember();
    void designToggled(bool on);
    void showDimensions(bool show);
    void setFlag1(const QString &value);
    // The checked one of BH, kaku and maru, else Direct (nothing computed).
    beam::Family computedShape() const;
    // H1, B1, tf1 and the notice rule's dimensions from a section's texts (a catalogue
    // record, a selection, a computed section).
    template <class Section> void setDepths(const Section &s);
    sections::DimensionTexts dimensionTexts() const;

    Dialogs &m_dialogs;
    QString m_filepath;
    QString m_workDir;
    const sections::MemberList *m_members = nullptr;
    bool m_choosingUser = false;
    bool m_userWasOn = false; // `userbutton` was on when the current click began

    QLineEdit *m_H1 = nullptr, *m_B1 = nullptr, *m_tf1 = nullptr, *m_flag1 = nullptr;
    // Web thickness, root radius (mm) and area (cm2) of the section, read by the notice
    // rule only; set with H1, B1 and tf1 by setDepths. The start-up member H-100x50x5x7.
    struct NoticeDims {
        std::string tw1 = "5", r1 = "8", A1 = "11.85";
    } m_noticeDims;
    QButtonGroup *m_shapeGroup = nullptr;
    std::array<QComboBox *, 6> m_familyLists{};
    QComboBox *m_userlist = nullptr;
    QLabel *m_danmenzu = nullptr;
    QLabel *m_mmCaption = nullptr;
    QCheckBox *m_weak = nullptr;
    QCheckBox *m_design = nullptr;
    QLineEdit *m_keisanchuu = nullptr;
    QLabel *m_watch = nullptr;
};
