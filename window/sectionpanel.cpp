#include "window/sectionpanel.h"

#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sections/members.h"
#include "sections/namedbeam.h"
#include "sections/selection.h"
#include "window/dialogs.h"
#include "window/fittext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace panel;
using namespace style;

namespace {

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

} // namespace

SectionPanel::SectionPanel(Dialogs &dialogs, QWidget *parent)
    : FieldGroup(QStringLiteral("断面"), parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("sectionGroup"));
    setGeometry(344, 0, 216, 424);

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

    m_shapeGroup = new QButtonGroup(this);
    const QFont listFont = smallFont(font());
    for (const ShapeSpec &s : kShapes) {
        auto *r = new QRadioButton(QString::fromUtf8(s.caption), this);
        r->setObjectName(QString::fromUtf8(s.radio));
        r->setGeometry(s.radioGeometry);
        m_shapeGroup->addButton(r, static_cast<int>(s.family));
        if (s.list) {
            auto *list = new QComboBox(this);
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
            fit::keepReadable(list);
            const int family = static_cast<int>(s.family);
            m_familyLists[static_cast<std::size_t>(family)] = list;
            connect(list, &QComboBox::currentTextChanged, this, [this, family] { familyListChanged(family); });
        }
    }
    m_userlist = new QComboBox(this);
    m_userlist->setObjectName(QStringLiteral("userlist"));
    m_userlist->setEditable(true);
    m_userlist->setInsertPolicy(QComboBox::NoInsert);
    m_userlist->setGeometry(88, 150, 122, 20);
    m_userlist->setFocusPolicy(Qt::ClickFocus);
    m_userlist->setCompleter(nullptr);
    m_userlist->setFont(listFont);
    fit::keepReadable(m_userlist);
    connect(m_userlist, &QComboBox::activated, this, &SectionPanel::chooseUserMember);

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

    m_danmenzu = new QLabel(this);
    m_danmenzu->setObjectName(QStringLiteral("danmenzu"));
    m_danmenzu->setGeometry(8, 222, 70, 70);
    m_danmenzu->hide();
    for (const EditSpec &s : kDimensionEdits) {
        const QString name = QString::fromUtf8(s.name);
        QLineEdit *e = makeBox(name, s.geometry, QString::fromUtf8(s.initial));
        QLabel *caption = makeLabel(this, name, QRect(s.geometry.x() - 20, s.geometry.y() + 3, 19, 14),
                                    QStringLiteral("dim_") + name);
        caption->setAlignment(Qt::AlignRight);
        e->hide();
        caption->hide();
        connect(e, &QLineEdit::textChanged, this, &SectionPanel::BChange);
    }
    m_mmCaption = makeLabel(this, QStringLiteral("単位：ｍｍ"), QRect(104, 272, 100, 14), QStringLiteral("tani"));
    m_mmCaption->hide();

    for (const PropertySpec &p : kProperties) {
        const QString name = QString::fromUtf8(p.name);
        const bool isMember = name == QLatin1String("member");
        makeLabel(this, QString::fromUtf8(p.caption), QRect(6, p.y + 3, isMember ? 36 : 104, 14));
        QLineEdit *e = makeBox(name, isMember ? QRect(40, p.y, 170, 20) : QRect(110, p.y, 64, 20),
                               QString::fromUtf8(p.initial));
        e->setEnabled(false);
        if (!isMember)
            makeLabel(this, QString::fromUtf8(p.unit), QRect(178, p.y + 3, 34, 14));
    }
    connect(box("member"), &QLineEdit::textChanged, this, &SectionPanel::memberChange);
    for (const char *name : {"inertia", "modulus", "selfw"})
        connect(box(QString::fromUtf8(name)), &QLineEdit::textChanged, this, &SectionPanel::sectionChanged);

    m_weak = new QCheckBox(QStringLiteral("弱軸で計算"), this);
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
    m_design = new QCheckBox(QStringLiteral("サイズ自動選択"), this);
    m_design->setObjectName(QStringLiteral("design"));
    m_design->setGeometry(100, 400, 112, 18);
    m_design->setToolTip(QStringLiteral("必要最小断面を選びます。"));
    connect(m_design, &QCheckBox::toggled, this, &SectionPanel::designToggled);

    m_keisanchuu = new QLineEdit(QStringLiteral("計算中"), this);
    m_keisanchuu->setObjectName(QStringLiteral("keisanchuu"));
    m_keisanchuu->setFrame(false);
    m_keisanchuu->setReadOnly(true);
    m_keisanchuu->setFocusPolicy(Qt::NoFocus);
    m_keisanchuu->setGeometry(5, 256, 44, 16);
    QPalette pal = m_keisanchuu->palette();
    pal.setColor(QPalette::Base, kYellow);
    m_keisanchuu->setPalette(pal);
    m_keisanchuu->hide();
    m_watch = new QLabel(this);
    m_watch->setObjectName(QStringLiteral("watch"));
    m_watch->setGeometry(8, 228, 24, 24);
    m_watch->setPixmap(imageResource("watch.png"));
    m_watch->hide();

    connect(m_flag1, &QLineEdit::textChanged, this, [this](const QString &v) { m_mmCaption->setVisible(v == "1"); });
}

void SectionPanel::setPaths(const QString &filepath, const QString &workDir)
{
    m_filepath = filepath;
    m_workDir = workDir;
}

void SectionPanel::setMembers(const sections::MemberList *members)
{
    m_members = members;
    refreshUserList();
    const QSignalBlocker block(m_userlist);
    m_userlist->setCurrentText(m_members ? qs(m_members->userlistText) : QString());
}

void SectionPanel::refreshUserList()
{
    const QSignalBlocker block(m_userlist);
    const QString shown = m_userlist->currentText(); // the list follows the members, its text stays
    m_userlist->clear();
    if (m_members)
        for (const std::string &name : m_members->userlist)
            m_userlist->addItem(qs(name));
    m_userlist->setCurrentText(shown);
}

std::optional<beam::Family> SectionPanel::checkedFamily() const
{
    // the buttons' ids are the families
    const int id = m_shapeGroup->checkedId();
    return id < 0 ? std::nullopt : std::optional(static_cast<beam::Family>(id));
}

beam::DimensionShape SectionPanel::dimensionShape() const
{
    if (m_shapeGroup->button(static_cast<int>(beam::Family::BH))->isChecked())
        return beam::DimensionShape::BuiltUpH;
    if (m_shapeGroup->button(static_cast<int>(beam::Family::Kaku))->isChecked())
        return beam::DimensionShape::SquarePipe;
    if (m_shapeGroup->button(static_cast<int>(beam::Family::Maru))->isChecked())
        return beam::DimensionShape::CircularPipe;
    return beam::DimensionShape::Other;
}

QString SectionPanel::flag1() const
{
    return m_flag1->text();
}

void SectionPanel::setFlag1(const QString &value)
{
    m_flag1->setText(value);
}

void SectionPanel::readDepths(beam::InputTexts &in) const
{
    in.H1 = ss(m_H1->text());
    in.B1 = ss(m_B1->text());
    in.tf1 = ss(m_tf1->text());
    in.tw1 = m_noticeDims.tw1;
    in.r1 = m_noticeDims.r1;
    in.A1 = m_noticeDims.A1;
}

void SectionPanel::recall(const sections::NamedBeam &page)
{
    // the shape radio named by the family code; an unknown code checks none
    if (!page.noFamily)
        m_shapeGroup->button(static_cast<int>(page.texts.family))->setChecked(true);
    const std::pair<const char *, const std::string *> fields[] = {
        {"member", &page.member},         {"H", &page.dims.H},  {"B", &page.dims.B},
        {"tw", &page.dims.tw},            {"tf", &page.dims.tf}, {"inertia", &page.texts.inertia},
        {"modulus", &page.texts.modulus}, {"selfw", &page.texts.selfw},
    };
    for (const auto &[name, text] : fields)
        box(QString::fromUtf8(name))->setText(qs(*text));
    // The dimension boxes just assigned copied their texts into H1, B1, tf1. A catalogue
    // section's allowable stress needs the catalogue's depth and flange instead, as its
    // calculation had them: take them again from the member's record (I, Z and the self
    // weight stay the stored ones).
    if (m_flag1->text() == QLatin1String("0")) {
        const sections::LookupOutcome outcome =
            sections::lookupMember(ss(m_filepath), ss(text("member")), m_weak->isChecked());
        if (outcome.texts) {
            setDepths(*outcome.texts);
        } else {
            m_dialogs.inform(qs(outcome.error));
        }
    }
}

void SectionPanel::showBusy(bool busy)
{
    if (!busy) {
        m_keisanchuu->hide();
        m_watch->hide();
        return;
    }
    m_keisanchuu->move(5, 256);
    m_keisanchuu->show();
    m_watch->show();
    m_keisanchuu->repaint(); // on the screen now: the search holds the event loop
    m_watch->repaint();
}

void SectionPanel::takeSelection(const sections::SelectionOutcome &outcome)
{
    if (outcome.switchedToNarrow)
        m_shapeGroup->button(static_cast<int>(beam::Family::HN))->setChecked(true);
    if (outcome.checked == 0)
        return;
    m_familyLists[static_cast<std::size_t>(outcome.family)]->setCurrentText(qs(outcome.member));
    box("member")->setText(qs(outcome.member));
    box("inertia")->setText(qs(outcome.inertia));
    box("modulus")->setText(qs(outcome.modulus));
    box("selfw")->setText(qs(outcome.selfw));
    setDepths(outcome);
}

// Shows or hides the section sketch and the four dimension boxes with their captions.
void SectionPanel::showDimensions(bool show)
{
    m_danmenzu->setVisible(show);
    for (const char *name : {"H", "B", "tf", "tw"}) {
        box(QString::fromUtf8(name))->setVisible(show);
        findChild<QLabel *>(QStringLiteral("dim_") + QString::fromUtf8(name))->setVisible(show);
    }
}

void SectionPanel::shapeChosen(int id)
{
    const auto family = static_cast<beam::Family>(id);
    auto showDimension = [this](const char *name, bool show) {
        box(QString::fromUtf8(name))->setVisible(show);
        findChild<QLabel *>(QStringLiteral("dim_") + QString::fromUtf8(name))->setVisible(show);
    };
    auto enableProperties = [this](bool member, bool others) {
        box("member")->setEnabled(member);
        for (const char *name : {"inertia", "modulus", "selfw"})
            box(QString::fromUtf8(name))->setEnabled(others);
    };

    if (isCatalogueFamily(family)) {
        setFlag1(QStringLiteral("0"));
        const QString name = m_familyLists[static_cast<std::size_t>(id)]->currentText();
        // the catalogue's values even when the name stays (typed values would otherwise
        // stay beside a catalogue designation)
        if (text("member") == name)
            memberChange();
        else
            box("member")->setText(name);
        if (m_shapeGroup->button(id)->isChecked()) {
            showDimensions(false);
            enableProperties(false, false);
        }
        return;
    }
    switch (family) {
    case beam::Family::BH:
    case beam::Family::Kaku:
    case beam::Family::Maru: {
        const char *picture = family == beam::Family::BH ? "BH.bmp" : family == beam::Family::Kaku ? "kaku.bmp" : "maru.bmp";
        box("member")->setText(QString());
        m_danmenzu->show();
        loadPicture(m_dialogs, m_danmenzu, m_workDir + QStringLiteral("/shape/") + QString::fromUtf8(picture));
        for (const char *name : {"H", "B", "tw", "tf"})
            box(QString::fromUtf8(name))->setText(QString());
        showDimension("B", true);
        showDimension("tf", true);
        showDimension("H", family != beam::Family::Maru);
        if (family == beam::Family::BH) {
            showDimension("tw", true);
        } else {
            box("tw")->setText(QString());
            showDimension("tw", false);
        }
        // captions: D and t for the pipes
        findChild<QLabel *>(QStringLiteral("dim_B"))->setText(family == beam::Family::Maru ? QStringLiteral("D")
                                                                                           : QStringLiteral("B"));
        findChild<QLabel *>(QStringLiteral("dim_tf"))->setText(family == beam::Family::BH ? QStringLiteral("tf")
                                                                                           : QStringLiteral("t"));
        enableProperties(true, false);
        setFlag1(QStringLiteral("1"));
        box("B")->setFocus(Qt::OtherFocusReason);
        break;
    }
    case beam::Family::Direct:
        showDimensions(false);
        enableProperties(true, true);
        setFlag1(QStringLiteral("1"));
        box("member")->setFocus(Qt::OtherFocusReason);
        break;
    case beam::Family::User:
        chooseUserMember();
        break;
    default:
        break;
    }
}

void SectionPanel::familyListChanged(int family)
{
    QAbstractButton *radio = m_shapeGroup->button(family);
    if (!radio->isChecked())
        radio->setChecked(true);
    box("member")->setText(m_familyLists[static_cast<std::size_t>(family)]->currentText());
    setFlag1(QStringLiteral("0"));
}

void SectionPanel::chooseUserMember()
{
    if (m_choosingUser)
        return;
    m_choosingUser = true;
    setFlag1(QStringLiteral("1"));
    if (m_members) {
        const std::optional<sections::MemberChoice> choice =
            sections::chooseMember(*m_members, ss(m_userlist->currentText()), m_weak->isChecked());
        if (choice) {
            box("member")->setText(qs(choice->member));
            box("selfw")->setText(qs(choice->selfw));
            box("inertia")->setText(qs(choice->inertia));
            box("modulus")->setText(qs(choice->modulus));
            showDimensions(false);
            for (const char *name : {"member", "inertia", "modulus", "selfw"})
                box(QString::fromUtf8(name))->setEnabled(false);
            m_shapeGroup->button(static_cast<int>(beam::Family::User))->setChecked(true);
            m_mmCaption->hide();
        }
    }
    m_choosingUser = false;
}

void SectionPanel::memberChange()
{
    Q_EMIT sectionChanged();
    if (m_flag1->text() != QLatin1String("0"))
        return;
    const sections::LookupOutcome outcome =
        sections::lookupMember(ss(m_filepath), ss(text("member")), m_weak->isChecked());
    if (!outcome.texts) {
        m_dialogs.inform(qs(outcome.error));
        return;
    }
    const sections::SectionTexts &t = *outcome.texts;
    box("selfw")->setText(qs(t.selfw));
    box("inertia")->setText(qs(t.inertia));
    box("modulus")->setText(qs(t.modulus));
    setDepths(t);
}

beam::Family SectionPanel::computedShape() const
{
    const beam::Family f = family();
    return f == beam::Family::BH || f == beam::Family::Kaku || f == beam::Family::Maru ? f : beam::Family::Direct;
}

template <class Section> void SectionPanel::setDepths(const Section &s)
{
    m_H1->setText(qs(s.H1));
    m_B1->setText(qs(s.B1));
    m_tf1->setText(qs(s.tf1));
    m_noticeDims = {s.tw1, s.r1, s.A1};
}

sections::DimensionTexts SectionPanel::dimensionTexts() const
{
    sections::DimensionTexts d;
    d.H = ss(text("H"));
    d.B = ss(text("B"));
    d.tw = ss(text("tw"));
    d.tf = ss(text("tf"));
    return d;
}

QString SectionPanel::dimensionRefusal() const
{
    return qs(sections::dimensionRefusal(computedShape(), dimensionTexts()));
}

void SectionPanel::BChange()
{
    const sections::ComputedSection c = sections::computeSection(computedShape(), dimensionTexts(), m_weak->isChecked());
    setDepths(c);
    if (c.member)
        box("member")->setText(qs(*c.member));
    // on a refusal the three fields are emptied, so that no earlier section's values
    // stay beside the new name (the check then refuses the empty I and Z)
    box("inertia")->setText(qs(c.inertia));
    box("modulus")->setText(qs(c.modulus));
    box("selfw")->setText(qs(c.selfw));
    if (!c.error.empty())
        m_dialogs.inform(qs(c.error));
}

void SectionPanel::designToggled(bool on)
{
    Q_EMIT designChanged();
    for (beam::Family f : {beam::Family::L, beam::Family::I, beam::Family::BH, beam::Family::Kaku, beam::Family::Maru,
                           beam::Family::User})
        m_shapeGroup->button(static_cast<int>(f))->setVisible(!on);
    m_familyLists[static_cast<std::size_t>(beam::Family::L)]->setVisible(!on);
    m_familyLists[static_cast<std::size_t>(beam::Family::I)]->setVisible(!on);
    m_userlist->setVisible(!on);
    if (on) {
        m_weak->setChecked(false);
        m_weak->hide();
        showDimensions(false);
        m_mmCaption->hide(); // the dimension boxes' unit goes with them
    } else {
        m_weak->show();
    }
}
