// The field rules of page 1's input boxes: the colour while a box is typed in, the tidy-up
// when it is left (beam::leaveBox and the part-span segments), and where Enter goes. The
// boxes themselves and page 2's read-out copies, which stand for their page-1 namesakes,
// hand their focus and key events to handle(), so both follow one set of rules.
#pragma once

#include "beam/fieldrules.h"

#include <QChar>
#include <QHash>
#include <QString>

#include <functional>

class QEvent;
class QLineEdit;

// The Base colour of a box for a colour the rules name.
void setBoxColour(QLineEdit *box, beam::BoxColour colour);

class BoxRules {
public:
    // `boxes`: page 1's input boxes by name (filled later is fine: it is looked up on
    // every event); `shape`: the dimension boxes shown, which decides where Enter goes.
    BoxRules(const QHash<QString, QLineEdit *> &boxes, std::function<beam::DimensionShape()> shape);

    // The rules a focus or key event of `box` (the page-1 name) sets off: focus gained,
    // focus lost to another control of the window, Enter. True when the event is consumed.
    bool handle(const QString &box, QEvent *event);

    void enter(const QString &box);
    void leave(const QString &box);
    bool keyPress(const QString &box, QChar key); // true when Enter was consumed

private:
    QLineEdit *named(const QString &name) const { return m_boxes.value(name); }

    const QHash<QString, QLineEdit *> &m_boxes;
    std::function<beam::DimensionShape()> m_shape;
};
