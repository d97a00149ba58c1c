#include "window/dialogs.h"

#include "window/basisdialog.h"
#include "window/titledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTranslator>

namespace {

const QString kTitle = QStringLiteral("KOVEL");

} // namespace

QTranslator *loadQtJapanese(QObject *owner)
{
    auto *translator = new QTranslator(owner);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return translator;
    delete translator;
    return nullptr;
}

void QtDialogs::inform(const QString &text)
{
    QMessageBox::information(m_parent, kTitle, text);
}

bool QtDialogs::askYesNo(const QString &text)
{
    return QMessageBox::question(m_parent, kTitle, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

// The dialogs give '/' on every system; the program shows and keeps the system's own form
// (backslashes on Windows) in the caption, its messages and the recent files.
QString QtDialogs::openFileName(const QString &filter)
{
    return QDir::toNativeSeparators(QFileDialog::getOpenFileName(m_parent, QString(), QDir::currentPath(), filter));
}

QString QtDialogs::saveFileName(const QString &filter, const QString &proposed)
{
    // the caller asks before overwriting, as the program's own question
    return QDir::toNativeSeparators(QFileDialog::getSaveFileName(
        m_parent, QString(), proposed.isEmpty() ? QDir::currentPath() : proposed, filter, nullptr,
        QFileDialog::DontConfirmOverwrite));
}

bool QtDialogs::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<beam::Basis> QtDialogs::chooseBasis(const beam::Basis &current)
{
    BasisDialog dialog(current, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.basis();
}

std::optional<results::TitleBlock> QtDialogs::chooseTitle(const results::TitleBlock &current)
{
    TitleDialog dialog(current, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.title();
}
