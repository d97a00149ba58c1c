// The beam-schedule commands of the file menu: "一覧表(CSV)の読込..." checks every row of
// a CSV schedule and stores each computed row into the next free slot, and
// "計算結果表のCSV出力..." writes the slots in use in the column layout of
// `kovel-cli batch`, so that an export read back gives the same slots.
#pragma once

#include <QObject>

class MainWindow;
class QMenu;
class QAction;

class ScheduleCommands : public QObject {
    Q_OBJECT
public:
    explicit ScheduleCommands(MainWindow &window);

    // Puts the two items and a separator into the file menu, before `before` (at its end
    // when null).
    void addTo(QMenu *menu, QAction *before);

    void importSchedule();
    void exportResults();

private:
    MainWindow &m_window;
};
