#include "window/demo.h"

#include "window/inputpage.h"
#include "window/mainwindow.h"
#include "window/memberpage.h"
#include "window/previewpage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>

namespace {

class ConsoleDialogs : public Dialogs {
public:
    void inform(const QString &text) override { std::printf("%s\n", qPrintable(text)); }
    bool askYesNo(const QString &text) override
    {
        std::printf("%s -> はい\n", qPrintable(text));
        return true;
    }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    bool choosePrinter(QPrinter &) override { return false; }
};

} // namespace

std::unique_ptr<Dialogs> consoleDialogs()
{
    return std::make_unique<ConsoleDialogs>();
}

void typeDemoBeam(MainWindow &window, int page)
{
    const int tab = page;
    InputPage *input = window.inputPage();
    const std::pair<const char *, const char *> typed[] = {
        {"Bname", "B1"},  {"Span", "6"},   {"lb", "3"},     {"uw", "3"},     {"lwa", "2"},
        {"lwb", "1.5"},   {"nnl", "2"},    {"p1", "10"},    {"pl1", "2"},    {"p2", "5"},
        {"pl2", "4.5"},   {"w1a", "0"},    {"w2a", "4"},    {"ld1a", "1"},   {"ld2a", "3"},
    };
    for (const auto &[name, text] : typed) {
        auto *box = input->findChild<QLineEdit *>(QString::fromUtf8(name));
        box->setText(QString::fromUtf8(text));
        input->boxRules().leave(box->objectName());
    }
    auto *list = input->findChild<QWidget *>(QStringLiteral("HN"));
    if (auto *combo = qobject_cast<QComboBox *>(list))
        combo->setCurrentText(QStringLiteral("H-300x150x6.5x9"));
    input->keisanClick();
    if (tab < 2 || tab > 4)
        return;
    input->kakunouClick();
    window.pages()->setCurrentIndex(tab - 1); // as a click on the tab: page 3 composes
    if (tab == 3)
        window.previewPage()->PageControl1Enter(); // the page the tab control shows first
}

void showWideValues(MainWindow &window)
{
    const std::string name = "BH-400x200x8x13";
    sections::MemberList &members = window.members();
    members.usergrid[1] = {"1", name, "100000.000", "100000.000", "100000.000", "100000.000", "100000.000", "100000.000"};
    members.count = 1;
    members.userlist = {name};
    window.memberPage()->setMembers(&members);
    InputPage *input = window.inputPage();
    input->refreshUserList();
    if (auto *userlist = input->findChild<QComboBox *>(QStringLiteral("userlist")))
        userlist->setCurrentText(QString::fromStdString(name));
    input->Image35Click(); // 123456 x 1234567 = 152414703552
    for (const char *key : {"calc1", "calc2", "calc3", "calc4", "calc5", "calc6", "calctimes", "calc1", "calc2",
                            "calc3", "calc4", "calc5", "calc6", "calc7", "calcequal"})
        if (auto *button = input->findChild<QPushButton *>(QString::fromUtf8(key)))
            button->click();
}

void storeDemoMember(MainWindow &window, const QString &name)
{
    window.pages()->setCurrentIndex(3);
    MemberPage *page = window.memberPage();
    const std::pair<const char *, QString> typed[] = {
        {"umember", name}, {"uA", QStringLiteral("20")}, {"uWW", QStringLiteral("15.7")}, {"uIx", QStringLiteral("400")},
        {"uIy", QStringLiteral("50")}, {"uZx", QStringLiteral("80")}, {"uZy", QStringLiteral("10")},
    };
    for (const auto &[box, text] : typed)
        page->findChild<QLineEdit *>(QString::fromUtf8(box))->setText(text);
    page->Image29Click();
}
