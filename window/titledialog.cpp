#include "window/titledialog.h"

#include "window/style.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

using style::qs;
using style::ss;

TitleDialog::TitleDialog(const results::TitleBlock &title, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("titleDialog"));
    setWindowTitle(QStringLiteral("計算書の表題"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    const auto &items = results::titleItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto *edit = new QLineEdit(qs(title.*items[i].text), this);
        // "title.project" -> "project"
        edit->setObjectName(QString::fromLatin1(items[i].key).section(QLatin1Char('.'), 1));
        edit->setMinimumWidth(280);
        form->addRow(qs(items[i].label), edit);
        m_edits[i] = edit;
    }
    m_edits.back()->setPlaceholderText(QStringLiteral("例 2026-04-01（空欄可）"));
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TitleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TitleDialog::reject);
    layout->addWidget(buttons);
}

results::TitleBlock TitleDialog::title() const
{
    results::TitleBlock t;
    const auto &items = results::titleItems();
    for (std::size_t i = 0; i < items.size(); ++i)
        t.*items[i].text = ss(m_edits[i]->text());
    return t;
}

void TitleDialog::accept()
{
    const std::string refusal = results::titleBlockRefusal(title());
    if (!refusal.empty()) {
        QMessageBox::information(this, QStringLiteral("KOVEL"), qs(refusal));
        return;
    }
    QDialog::accept();
}
