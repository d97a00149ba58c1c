#include "window/fieldgroup.h"

#include "printing/qtcanvas.h"
#include "window/dialogs.h"
#include "window/fittext.h"
#include "window/imagebutton.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace panel {

QLabel *makeLabel(QWidget *parent, const QString &text, const QRect &geometry, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

QLineEdit *makeEdit(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(geometry);
    e->setTextMargins(1, 0, 1, 0);
    fit::keepReadable(e);
    return e;
}

QLabel *placeLabel(QWidget *parent, const QString &text, int x, int y, int width)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    if (width > 0)
        l->resize(width, l->sizeHint().height());
    else
        l->adjustSize();
    return l;
}

QLineEdit *smallEdit(QWidget *parent, const char *name, const QRect &geometry, const char *text)
{
    auto *e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(geometry);
    e->setTextMargins(0, 0, 0, 0);
    return e;
}

QLabel *makeMomentLabel(QWidget *parent, const char *name, const QRect &geometry, Qt::Alignment align)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setGeometry(geometry);
    l->setFont(QtCanvas::diagramFont());
    l->setAlignment(align);
    style::setTextColour(l, style::kNavy);
    return l;
}

ImageButton *makeImageButton(QWidget *parent, const char *name, const char *image, const QPoint &at, const char *hint)
{
    auto *b = new ImageButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    const QPixmap picture = imageResource(image);
    b->setPixmap(picture);
    b->setGeometry(QRect(at, picture.size()));
    b->setToolTip(QString::fromUtf8(hint));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPushButton *makeResetButton(QWidget *parent, const char *name, const QRect &geometry, const char *hint)
{
    auto *reset = new QPushButton(QStringLiteral("Reset"), parent);
    reset->setObjectName(QString::fromUtf8(name));
    reset->setGeometry(geometry);
    reset->setToolTip(QString::fromUtf8(hint));
    reset->setFocusPolicy(Qt::NoFocus);
    return reset;
}

QPixmap imageResource(const char *name)
{
    return QPixmap(QStringLiteral(":/images/%1").arg(QLatin1String(name)));
}

void loadPicture(Dialogs &dialogs, QLabel *target, const QString &path)
{
    QPixmap picture;
    if (!picture.load(path)) {
        dialogs.inform(QStringLiteral("図のファイル「%1」を読み込めませんでした。").arg(QDir::toNativeSeparators(path)));
        return;
    }
    target->setPixmap(picture);
}

} // namespace panel

QLineEdit *FieldGroup::box(const QString &name) const
{
    for (QLineEdit *e : m_boxes)
        if (e->objectName() == name)
            return e;
    return nullptr;
}

QString FieldGroup::text(const QString &name) const
{
    const QLineEdit *e = box(name);
    return e ? e->text() : QString();
}

QLineEdit *FieldGroup::makeBox(const QString &name, const QRect &geometry, const QString &text)
{
    auto *e = new QLineEdit(text, this);
    e->setObjectName(name);
    e->setGeometry(geometry);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, style::kWhite);
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(64, 64, 64));
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(240, 240, 240));
    e->setPalette(pal);
    e->setTextMargins(1, 0, 1, 0);
    fit::keepReadable(e);
    m_boxes.append(e);
    return e;
}

void FieldGroup::leaveEditedBox()
{
    if (QWidget *editing = QApplication::focusWidget(); editing && isAncestorOf(editing))
        editing->clearFocus();
}

void FieldGroup::clearBoxes(const QList<QLineEdit *> &boxes)
{
    leaveEditedBox();
    for (QLineEdit *e : boxes) {
        const QSignalBlocker quiet(e);
        e->clear();
    }
}

void FieldGroup::makeBoxes(const panel::EditSpec *begin, const panel::EditSpec *end)
{
    for (const panel::EditSpec *s = begin; s != end; ++s)
        makeBox(QString::fromUtf8(s->name), s->geometry, QString::fromUtf8(s->initial));
}

void FieldGroup::makeLabels(const panel::LabelSpec *begin, const panel::LabelSpec *end)
{
    for (const panel::LabelSpec *s = begin; s != end; ++s)
        panel::makeLabel(this, QString::fromUtf8(s->text), s->geometry);
}
