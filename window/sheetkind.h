// Page 3's choice of sheet kind, 標準（2件/頁） or 詳細（1件/頁）, and the detailed document's
// page on the preview bitmap. With the standard kind page 3 is as it always was.
#pragma once

#include "sheets/detailed.h"

#include <QGroupBox>
#include <QImage>

class QRadioButton;

class SheetKindChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit SheetKindChoice(QWidget *parent = nullptr);
    bool detailed() const;

Q_SIGNALS:
    void kindChanged(); // the user chose the other kind

private:
    QRadioButton *m_standard = nullptr;
    QRadioButton *m_detailed = nullptr;
};

// Composes page `pageIndex` (0-based) of the detailed document onto the page bitmap as
// composeSheetPage does for the standard sheets (made anew when of another size or ratio).
sheets::SheetOutcome composeDetailedSheetPage(QImage &page, const sheets::DetailedPlan &plan, int pageIndex,
                                              qreal devicePixelRatio = 1.0);
