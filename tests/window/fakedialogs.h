// Scripted dialogs for window tests: every text shown is logged, Yes/No answers and file
// names come from queues (No and an empty name when the queue is empty).
#pragma once

#include "window/dialogs.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

class FakeDialogs : public Dialogs {
public:
    QStringList shown;              // every inform and askYesNo text, in order
    std::deque<bool> answers;       // askYesNo answers
    std::deque<QString> fileNames;  // openFileName / saveFileName answers
    QStringList proposed;           // the name each saveFileName proposed (empty for none)
    QStringList fileFilters;        // the filter of every file dialog asked for, in order
    QString printFile;              // choosePrinter prints into this PDF; empty: cancelled
    std::optional<beam::Basis> basis; // chooseBasis answers this once; nothing: cancelled
    std::deque<results::TitleBlock> titles;         // chooseTitle answers; none left: cancelled
    std::vector<results::TitleBlock> titlesShown;   // what each chooseTitle was opened with

    void inform(const QString &text) override { shown << text; }
    bool askYesNo(const QString &text) override
    {
        shown << text;
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    QString openFileName(const QString &filter) override
    {
        fileFilters << filter;
        return nextName();
    }
    QString saveFileName(const QString &filter, const QString &name) override
    {
        fileFilters << filter;
        proposed << name;
        return nextName();
    }
    bool choosePrinter(QPrinter &printer) override
    {
        if (printFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return true;
    }
    std::optional<beam::Basis> chooseBasis(const beam::Basis &) override
    {
        shown << QStringLiteral("検定基準");
        return std::exchange(basis, std::nullopt);
    }

    std::optional<results::TitleBlock> chooseTitle(const results::TitleBlock &current) override
    {
        titlesShown.push_back(current);
        if (titles.empty())
            return std::nullopt;
        results::TitleBlock t = titles.front();
        titles.pop_front();
        return t;
    }

private:
    QString nextName()
    {
        if (fileNames.empty())
            return {};
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};
