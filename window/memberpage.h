// Page 4, "部材登録他": registered members, the section property calculator and the
// stress unit converter.
#pragma once

#include <QWidget>

class MemberPage : public QWidget {
    Q_OBJECT
public:
    explicit MemberPage(QWidget *parent = nullptr);

    // Start-up step: the registered-member grid's columns and headings.
    void prepareGrid();
};
