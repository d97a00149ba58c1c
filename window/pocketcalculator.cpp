#include "window/pocketcalculator.h"

#include "sections/pocketcalc.h"
#include "window/fieldgroup.h"
#include "window/fittext.h"

#include <QLineEdit>
#include <QPushButton>

using namespace panel;
using namespace style;

namespace {

const QColor kInfoBack(255, 255, 225); // tool-tip colour of the calculator boxes
constexpr int kKey = 25;
constexpr int kRow = 21;

// The keys: name, caption, column, row (rows 2..5 of the panel).
struct KeySpec {
    const char *name;
    const char *caption;
    int column;
    int row;
};
constexpr KeySpec kCalcKeys[] = {
    {"calc7", "7", 0, 2},          {"calc8", "8", 1, 2},      {"calc9", "9", 2, 2},
    {"calcdevide", "÷", 3, 2},    {"calc4", "4", 0, 3},      {"calc5", "5", 1, 3},
    {"calc6", "6", 2, 3},          {"calctimes", "×", 3, 3}, {"calc1", "1", 0, 4},
    {"calc2", "2", 1, 4},          {"calc3", "3", 2, 4},      {"calcminus", "－", 3, 4},
    {"calc0", "0", 0, 5},          {"calcdot", ".", 1, 5},    {"calcplus", "＋", 2, 5},
    {"calcequal", "＝", 3, 5},
};

} // namespace

PocketCalculator::PocketCalculator(QWidget *panel) : QWidget(panel)
{
    setObjectName(QStringLiteral("pocketCalculator"));
    setGeometry(0, 0, 2 + 4 * kKey, 1 + 6 * kRow);
    auto box = [this](const char *name, const QRect &geometry, const QString &text) {
        auto *e = new QLineEdit(text, this);
        e->setObjectName(QString::fromUtf8(name));
        e->setGeometry(geometry);
        e->setFocusPolicy(Qt::ClickFocus);
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, kInfoBack);
        e->setPalette(pal);
        fit::keepReadable(e);
        return e;
    };
    auto key = [this](const char *name, const char *caption, const QRect &geometry) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(geometry);
        b->setFocusPolicy(Qt::NoFocus);
        setTextColour(b, kNavy);
        connect(b, &QPushButton::clicked, this, [this, caption] { press(QString::fromUtf8(caption)); });
    };
    key("calcac", "AC", QRect(2, 1, kKey, 20));
    m_memory = box("memory", QRect(2 + kKey, 1, 3 * kKey, 20), QString());
    m_calc = box("calc", QRect(2, 1 + kRow, kKey, 20), QStringLiteral("＋"));
    m_calc->setAlignment(Qt::AlignCenter);
    m_calcres = box("calcres", QRect(2 + kKey, 1 + kRow, 3 * kKey, 20), QString());
    m_memory->setAlignment(Qt::AlignRight);
    m_calcres->setAlignment(Qt::AlignRight);
    for (const KeySpec &k : kCalcKeys)
        key(k.name, k.caption, QRect(2 + kKey * k.column, 1 + kRow * k.row, kKey, 20));
    hide();
}

void PocketCalculator::toggle()
{
    const bool show = !m_calc->isVisible();
    setVisible(show);
    if (show)
        raise();
}

void PocketCalculator::press(const QString &key)
{
    sections::PocketCalc pc;
    pc.memory = ss(m_memory->text());
    pc.calcres = ss(m_calcres->text());
    pc.calc = ss(m_calc->text());
    if (key == QLatin1String("AC"))
        sections::pressClear(pc);
    else if (key == QStringLiteral("＝"))
        sections::pressEqual(pc);
    else if (key.size() == 1 && (key[0].isDigit() || key[0] == QLatin1Char('.')))
        sections::pressDigit(pc, key[0].toLatin1());
    else
        sections::pressOperator(pc, ss(key));
    m_memory->setText(qs(pc.memory));
    m_calcres->setText(qs(pc.calcres));
    m_calc->setText(qs(pc.calc));
}
