// "支点条件": the four support radios with the support picture, and laid over the picture
// the pocket calculator and the list of the stored slots' reactions.
#pragma once

#include "beam/input.h"

#include <QGroupBox>

#include <optional>

class Dialogs;
class PocketCalculator;
class QButtonGroup;
class QLabel;
class QTableWidget;

namespace results {
struct Table;
}

class SupportPanel : public QGroupBox {
    Q_OBJECT
public:
    SupportPanel(Dialogs &dialogs, QWidget *parent);

    // The folder of the support pictures; shows the picture of the support already chosen.
    void setPicturePath(const QString &shapepath);
    void setResultTable(const results::Table *table) { m_table = table; }

    // The first support radio that is on, in the order pinpin, pinkotei, koteikotei, jiyuukotei.
    std::optional<beam::Support> support() const;
    void setSupport(beam::Support support);

    void toggleCalculator();
    void toggleReactionList();

Q_SIGNALS:
    void supportChanged();

private:
    void supportChosen(int id);

    Dialogs &m_dialogs;
    QString m_shapepath;
    const results::Table *m_table = nullptr;
    QButtonGroup *m_supportGroup = nullptr;
    QLabel *m_supportPicture = nullptr;
    PocketCalculator *m_calculator = nullptr;
    QTableWidget *m_reactionList = nullptr;
};
