// A main window started in the repository root with scripted dialogs, and helpers that
// type into the input page's boxes the way a user does.
#pragma once

#include "tests/window/fakedialogs.h"
#include "window/inputpage.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// A file name as the program shows and keeps it: absolute, in the system's own form
// (backslashes and a drive on Windows).
inline QString shownPath(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

class WindowTest : public ::testing::Test {
public:
    void SetUp() override
    {
        QDir::setCurrent(QStringLiteral(KOVEL_SOURCE_DIR));
        start();
    }

    // Creates and shows the window in the current working directory.
    void start()
    {
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<MainWindow>(std::move(fake));
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class T = QLineEdit>
    T *find(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromUtf8(name));
        if (!w)
            ADD_FAILURE() << "no control " << name;
        return w;
    }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }
    QString text(const char *name) const
    {
        if (auto *e = window->findChild<QLineEdit *>(QString::fromUtf8(name)))
            return e->text();
        return find<QLabel>(name)->text();
    }
    QColor background(const char *name) const { return edit(name)->palette().color(QPalette::Base); }
    QWidget *focused() const { return QApplication::focusWidget(); }
    InputPage *page() const { return window->inputPage(); }

    // Gives the box the focus, replaces its text by typing, and leaves it (the focus
    // goes to the check box `term`, which has no rule of its own).
    void typeInto(const char *name, const QString &typed)
    {
        QLineEdit *e = edit(name);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, typed);
        leave();
    }
    void leave() { find<QCheckBox>("term")->setFocus(Qt::MouseFocusReason); }
    void click(const char *name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton); }
    void choose(const char *radio) { find<QRadioButton>(radio)->click(); }

    FakeDialogs *dialogs = nullptr;
    std::unique_ptr<MainWindow> window;
};
