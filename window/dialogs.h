// The message and file boxes the window shows, behind one small interface so that tests
// can answer them without a modal loop.
#pragma once

#include "beam/allowable.h"
#include "results/titleblock.h"

#include <QString>

#include <optional>

class QObject;
class QPrinter;
class QTranslator;
class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An information box with an OK button.
    virtual void inform(const QString &text) = 0;
    // A confirmation box with Yes and No; true only for Yes.
    virtual bool askYesNo(const QString &text) = 0;
    // File names; empty when cancelled. saveFileName proposes `proposed` (a path) when it
    // is given, and does not ask about an existing file: the caller asks with askYesNo,
    // in the program's own words.
    virtual QString openFileName(const QString &filter) = 0;
    virtual QString saveFileName(const QString &filter, const QString &proposed = {}) = 0;
    // The system print dialog; false when cancelled.
    virtual bool choosePrinter(QPrinter &printer) = 0;
    // The options dialog "検定基準" showing `current`; the basis chosen, or nothing when
    // cancelled. A notice-rule basis it returns is one the check can use. Dialogs that
    // show nothing answer as cancelled.
    virtual std::optional<beam::Basis> chooseBasis(const beam::Basis &) { return std::nullopt; }
    // The dialog "計算書の表題" showing `current`; the title block as typed, or nothing when
    // cancelled. The caller refuses what the project file could not hold.
    virtual std::optional<results::TitleBlock> chooseTitle(const results::TitleBlock &) { return std::nullopt; }
};

// Qt's own Japanese texts ("はい", "いいえ", "ファイル名" ...) for the standard boxes, from Qt's
// translations folder; nullptr when they are not installed. The caller installs it.
QTranslator *loadQtJapanese(QObject *owner);

// The real boxes: QMessageBox, QFileDialog and QPrintDialog over the given window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void inform(const QString &text) override;
    bool askYesNo(const QString &text) override;
    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter, const QString &proposed = {}) override;
    bool choosePrinter(QPrinter &printer) override;
    std::optional<beam::Basis> chooseBasis(const beam::Basis &current) override;
    std::optional<results::TitleBlock> chooseTitle(const results::TitleBlock &current) override;

private:
    QWidget *m_parent = nullptr;
};
