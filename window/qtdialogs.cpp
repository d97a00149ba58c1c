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

QString QtDialogs::openFileName(const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, QString(), QDir::currentPath(), filter);
}

QString QtDialogs::saveFileName(const QString &filter, const QString &proposed)
{
    // the caller asks before overwriting, as the program's own question
    return QFileDialog::getSaveFileName(m_parent, QString(), proposed.isEmpty() ? QDir::currentPath() : proposed,
                                        filter, nullptr, QFileDialog::DontConfirmOverwrite);
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
