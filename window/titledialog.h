// The dialog "計算書の表題": the title block of the detailed sheets (工事名, 建物名・部位,
// 設計者, 照査者, 日付). OK is taken only for a title block the project file can hold; a
// refusal is shown and the texts stay as typed.
#pragma once

#include "results/titleblock.h"

#include <QDialog>

#include <array>

class QLineEdit;

class TitleDialog : public QDialog {
    Q_OBJECT
public:
    explicit TitleDialog(const results::TitleBlock &title, QWidget *parent = nullptr);

    // The title block the boxes hold, as typed.
    results::TitleBlock title() const;

    void accept() override;

private:
    std::array<QLineEdit *, results::kTitleItems> m_edits{};
};
