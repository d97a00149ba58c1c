// Page 2, "計算結果表": the 50 result slots and the display of one stored result.
#pragma once

#include <QWidget>

class ResultPage : public QWidget {
    Q_OBJECT
public:
    explicit ResultPage(QWidget *parent = nullptr);

    // Start-up step: fills the slot control arrays `data1`..`data50`, `chk1`..`chk50`.
    void fillSlotArrays();
};
