// The parts the panels of page 1 are built from: a group box that owns named input boxes
// (the page gathers them for the field rules) and the small helpers every panel (and
// the groups of pages 3 and 4) uses.
#pragma once

#include "window/style.h"

#include <QGroupBox>
#include <QList>
#include <QString>

class Dialogs;
class ImageButton;
class QLabel;
class QLineEdit;
class QPushButton;

namespace panel {

struct EditSpec {
    const char *name;
    QRect geometry;
    const char *initial;
};
struct LabelSpec {
    const char *text;
    QRect geometry;
};

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &geometry, const QString &name = {});
// A plain input box: a pixel of margin, a text too wide for it drawn smaller.
QLineEdit *makeEdit(QWidget *parent, const char *name, const QRect &geometry);
// Page 3's column: a caption at (x, y) as wide as its text (or `width` pixels), and a
// box without margins holding `text`.
QLabel *placeLabel(QWidget *parent, const QString &text, int x, int y, int width = -1);
QLineEdit *smallEdit(QWidget *parent, const char *name, const QRect &geometry, const char *text);
// A moment label of a stress diagram: named, in the diagrams' font, navy, aligned `align`.
QLabel *makeMomentLabel(QWidget *parent, const char *name, const QRect &geometry, Qt::Alignment align);
// An image button at `at`, as large as its picture (the compiled-in `image`).
ImageButton *makeImageButton(QWidget *parent, const char *name, const char *image, const QPoint &at,
                             const char *hint);
// A "Reset" button of a load group, out of the Tab order.
QPushButton *makeResetButton(QWidget *parent, const char *name, const QRect &geometry, const char *hint);
QPixmap imageResource(const char *name);
// Shows the picture file on `target`, or a message naming the file that could not be read.
void loadPicture(Dialogs &dialogs, QLabel *target, const QString &path);

} // namespace panel

// A group box of page 1 with named input boxes.
class FieldGroup : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    const QList<QLineEdit *> &boxes() const { return m_boxes; }
    QLineEdit *box(const QString &name) const;
    QString text(const QString &name) const;

protected:
    // A white input box of this group.
    QLineEdit *makeBox(const QString &name, const QRect &geometry, const QString &text);
    void makeBoxes(const panel::EditSpec *begin, const panel::EditSpec *end);
    void makeLabels(const panel::LabelSpec *begin, const panel::LabelSpec *end);
    // Reset: the box being typed in is left first and tidied by the field rules, as if
    // the Reset button had taken the focus.
    void leaveEditedBox();
    // Then the boxes are emptied quietly, so that the caller reports the reset as one change.
    void clearBoxes(const QList<QLineEdit *> &boxes);

private:
    QList<QLineEdit *> m_boxes;
};
