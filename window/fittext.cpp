#include "window/fittext.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace fit {

namespace {

constexpr int kSmallestPixels = 6;
constexpr int kLineEditSideMargin = 2; // QLineEdit's own margin left and right of the text
const char *const kOwnFont = "fitOwnFont";

// Keeps a line edit's text in its fitting font while the box is not being typed in.
class Fitter : public QObject {
public:
    explicit Fitter(QLineEdit *box) : QObject(box), m_box(box)
    {
        m_own = box->font();
        connect(box, &QLineEdit::textChanged, this, &Fitter::refit);
        box->installEventFilter(this);
        refit();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box) {
            switch (event->type()) {
            case QEvent::FocusIn:
                apply(m_own);
                break;
            case QEvent::FocusOut:
            case QEvent::Resize:
                refit();
                break;
            case QEvent::FontChange:
                if (!m_applying)
                    m_own = m_box->font(); // a font set from outside becomes the box's own
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void refit()
    {
        if (m_box->hasFocus())
            return;
        const QMargins margins = m_box->textMargins();
        const int frame = m_box->hasFrame() ? m_box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_box) : 0;
        const int room = m_box->width() - 2 * frame - margins.left() - margins.right() - 2 * kLineEditSideMargin - 1;
        apply(fittingFont(m_own, m_box->text(), room));
        m_box->setCursorPosition(0);
    }
    void apply(const QFont &font)
    {
        if (m_box->font() == font)
            return;
        m_applying = true;
        m_box->setFont(font);
        m_applying = false;
    }

    QLineEdit *m_box;
    QFont m_own;
    bool m_applying = false;
};

} // namespace

QFont fittingFont(const QFont &font, const QString &text, int room)
{
    QFont f = font;
    int pixels = QFontInfo(f).pixelSize();
    while (pixels > kSmallestPixels && QFontMetrics(f).horizontalAdvance(text) > room) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

void keepReadable(QLineEdit *box)
{
    if (box && !box->property(kOwnFont).toBool()) {
        box->setProperty(kOwnFont, true);
        new Fitter(box);
    }
}

void keepReadable(QComboBox *list)
{
    keepReadable(list->lineEdit());
}

void fitCell(QTableWidget *table, QTableWidgetItem *item)
{
    const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
    const int grid = table->showGrid() ? 1 : 0;
    int width = table->columnWidth(item->column());
    if (table->isVisible()) // a last column stretched past the scroll bar is seen only in part
        width = std::min(width, table->viewport()->width() - table->columnViewportPosition(item->column()));
    const int room = width - grid - 2 * margin - 1;
    item->setFont(fittingFont(table->font(), item->text(), room));
}

} // namespace fit
