#include "window/boxrules.h"

#include "window/style.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>

using namespace style;

namespace {

QColor colourOf(beam::BoxColour c)
{
    switch (c) {
    case beam::BoxColour::Yellow: return kYellow;
    case beam::BoxColour::Aqua: return kAqua;
    case beam::BoxColour::White: break;
    }
    return kWhite;
}

} // namespace

void setBoxColour(QLineEdit *box, beam::BoxColour colour)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colourOf(colour));
    box->setPalette(pal);
}

BoxRules::BoxRules(const QHash<QString, QLineEdit *> &boxes, std::function<beam::DimensionShape()> shape)
    : m_boxes(boxes), m_shape(std::move(shape))
{
}

bool BoxRules::handle(const QString &box, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        enter(box);
        break;
    case QEvent::FocusOut: {
        // a box is left when the focus moves inside the window, not when the window
        // itself is deactivated or a menu opens
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
            leave(box);
        break;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && keyPress(box, QChar(13)))
            return true;
        break;
    }
    default:
        break;
    }
    return false;
}

void BoxRules::enter(const QString &box)
{
    QLineEdit *e = named(box);
    if (e && beam::boxRule(ss(box)))
        setBoxColour(e, beam::BoxColour::Yellow);
}

void BoxRules::leave(const QString &box)
{
    QLineEdit *e = named(box);
    const beam::BoxRule *entry = e ? beam::boxRule(ss(box)) : nullptr;
    if (!entry)
        return;
    if (entry->rule == beam::LeaveRule::Segment) {
        int load = 0, segment = 0;
        beam::segmentBox(entry->box, &load, &segment);
        const QChar suffix = QLatin1Char("abc"[load]);
        const std::array<QLineEdit *, 3> boxes = {named(QStringLiteral("ld1") + suffix),
                                                  named(QStringLiteral("ld2") + suffix),
                                                  named(QStringLiteral("ld3") + suffix)};
        beam::SegmentTexts seg{ss(boxes[0]->text()), ss(boxes[1]->text()), ss(boxes[2]->text())};
        seg = beam::completeSegment(segment, ss(named(QStringLiteral("Span"))->text()), seg);
        // the box left first, then the completed one
        const std::string *texts[] = {&seg.ld1, &seg.ld2, &seg.ld3};
        boxes[static_cast<std::size_t>(segment - 1)]->setText(qs(*texts[segment - 1]));
        const int other = segment == 3 ? 0 : 2;
        boxes[static_cast<std::size_t>(other)]->setText(qs(*texts[other]));
        setBoxColour(e, beam::BoxColour::White);
        return;
    }
    if (entry->rule == beam::LeaveRule::ColourOnly) {
        setBoxColour(e, beam::BoxColour::White);
        return;
    }
    const beam::LeaveOutcome out = beam::leaveBox(*entry, ss(e->text()));
    e->setText(qs(out.text));
    setBoxColour(e, out.colour);
}

bool BoxRules::keyPress(const QString &box, QChar key)
{
    if (key != QChar(13))
        return false;
    const std::string_view target = beam::enterTarget(ss(box), m_shape());
    if (target.empty())
        return false;
    if (QLineEdit *next = named(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()))))
        if (next->isEnabled() && next->isVisible())
            next->setFocus(Qt::TabFocusReason);
    return true;
}
