// The right-hand part of page 2: the display of the selected slot. The settings and the
// loads as read-out copies of the input boxes (the field rules of their page-1 namesakes
// act on them), the support picture, the load and stress diagrams, the results with the
// basis of the notice rule, and the exit image. It shows a results::SlotView and never
// changes the table.
#pragma once

#include "results/table.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <array>

class BoxRules;
class Dialogs;
class QLabel;
class QLineEdit;

namespace results {
struct SlotView;
}

class SlotDisplay : public QWidget {
    Q_OBJECT
public:
    // `dialogs` reports a support picture that cannot be read; the copies follow `rules`.
    SlotDisplay(Dialogs &dialogs, BoxRules &rules, QWidget *parent);

    // The folder of the support pictures (`shapepath`, absolute).
    void setShapepath(const QString &shapepath) { m_shapepath = shapepath; }
    // Show-slot in its two steps: the three moment labels emptied, then (after the slot
    // buttons have moved) the view filled and the diagrams drawn or cleared. `record` is
    // the selected slot's record, nullptr when no slot is selected.
    void clearMoments();
    void fill(const results::SlotView &view, const results::SlotRecord *record);

    const QImage &loadDiagramImage() const { return m_loadImage; }
    const QImage &stressDiagramImage() const { return m_stressImage; }

Q_SIGNALS:
    void exitRequested(); // the exit image `shuuryou2`

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupSettingsGroup();
    void setupLoadsGroup();
    void setupDiagrams();
    void setupResultsGroup();

    QLineEdit *makeCopy(QWidget *parent, const char *name, const QRect &geometry);
    QLabel *makeValue(QWidget *parent, const char *name, const QRect &geometry, Qt::Alignment align);
    QLabel *makeCaption(QWidget *parent, const QString &text, const QRect &geometry, const char *name = nullptr);

    void fillView(const results::SlotView &view);
    void showBasis(const results::SlotView &view, const results::SlotRecord *record); // the notice rule's shear ratio and basis
    void drawDiagrams(const results::SlotView &view, const results::SlotRecord &record);
    void clearDiagrams();

    Dialogs &m_dialogs;
    BoxRules &m_rules;
    QString m_shapepath;

    QHash<QString, QLineEdit *> m_copies; // read-out copies of the input boxes (and listmember, listtype)
    QHash<QString, QLabel *> m_values;    // the other shown texts
    std::array<QLabel *, 10> m_unitLabels{};
    QLabel *m_listcond = nullptr;
    QLabel *m_listShear = nullptr; // τ/fs of a result of the notice rule, beside σb/fb
    QLabel *m_listkajuuzu = nullptr, *m_listouryokuzu = nullptr;
    QLabel *m_lista = nullptr, *m_listb = nullptr, *m_listkajuuzuL = nullptr;
    QLabel *m_Menda1 = nullptr, *m_Mendb1 = nullptr, *m_Mcent1 = nullptr;
    QImage m_loadImage;
    QImage m_stressImage;
};
