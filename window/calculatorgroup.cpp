#include "window/calculatorgroup.h"

#include "sections/calculator.h"
#include "window/dialogs.h"
#include "window/fieldgroup.h"
#include "window/imagebutton.h"
#include "window/style.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

using namespace panel;
using namespace style;

namespace {

constexpr QRect kCalculatorGroup(539, 0, 245, 498);
constexpr int kPanel = 81;   // palette panel, pixels
constexpr int kPicture = 70; // shape picture, pixels
constexpr QPoint kPalette(1, 16);
constexpr int kPaletteColumns = 3;

struct DimensionSpec {
    const char *name;
    const char *caption;
    QPoint at; // caption's top-left; the box follows it
};
// In the order of sections::ShapeDimensions: a, b, H, h, r, D.
constexpr DimensionSpec kDimensions[] = {
    {"danA", "a =", QPoint(6, 350)},  {"danB", "b =", QPoint(98, 350)},
    {"danHH", "H =", QPoint(6, 374)}, {"danH", "h =", QPoint(98, 374)},
    {"danR", "r =", QPoint(6, 398)},  {"danD", "D =", QPoint(98, 398)},
};
constexpr int kDimensionCaptionWidth = 22;
constexpr int kDimensionBoxWidth = 64;
constexpr QPoint kReset(190, 370);
constexpr int kResultTop = 424;
constexpr int kResultPitch = 17;

} // namespace

CalculatorGroup::CalculatorGroup(Dialogs &dialogs, QWidget *parent)
    : QGroupBox(QStringLiteral("断面性能"), parent), m_dialogs(dialogs)
{
    QGroupBox *g = this;
    setObjectName(QStringLiteral("calculatorGroup"));
    setGeometry(kCalculatorGroup);

    for (int i = 0; i < sections::kShapePanels; ++i) {
        auto *panel = new QFrame(g);
        panel->setObjectName(QStringLiteral("dan%1").arg(i + 1));
        panel->setGeometry(kPalette.x() + kPanel * (i % kPaletteColumns), kPalette.y() + kPanel * (i / kPaletteColumns),
                           kPanel, kPanel);
        panel->setFrameShadow(QFrame::Plain);
        panel->setLineWidth(1);
        panel->setFrameShape(QFrame::NoFrame);
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        if (i < sections::kShapesWithResult) {
            auto *picture = new QLabel(panel);
            picture->setObjectName(QStringLiteral("dan%1picture").arg(i + 1));
            picture->setPixmap(QPixmap(QStringLiteral(":/images/dan%1.png").arg(i + 1)));
            const int margin = (kPanel - kPicture) / 2;
            picture->setGeometry(margin, margin, kPicture, kPicture);
            picture->setMouseTracking(true);
            picture->installEventFilter(this);
        }
        m_dan[static_cast<std::size_t>(i)] = panel;
    }

    for (std::size_t i = 0; i < std::size(kDimensions); ++i) {
        const DimensionSpec &s = kDimensions[i];
        makeLabel(g, qs(s.caption), QRect(s.at + QPoint(0, 3), QSize(kDimensionCaptionWidth, 14)));
        m_dims[i] = makeEdit(g, s.name, QRect(s.at + QPoint(kDimensionCaptionWidth, 0), QSize(kDimensionBoxWidth, 20)));
    }
    ImageButton *reset = makeImageButton(g, "Image24", "danreset.png", kReset, "寸法と計算結果を消去します。");
    connect(reset, &ImageButton::clicked, this, &CalculatorGroup::Image24Click);

    for (int i = 0; i < 4; ++i) {
        QLabel *l = makeLabel(g, QString(), QRect(6, kResultTop + kResultPitch * i, kCalculatorGroup.width() - 10, 15));
        l->setObjectName(QStringLiteral("danres%1").arg(i + 1));
        m_danres[static_cast<std::size_t>(i)] = l;
    }
}

void CalculatorGroup::danClick(int panel)
{
    sections::ShapeDimensions d;
    std::string *fields[] = {&d.danA, &d.danB, &d.danHH, &d.danH, &d.danR, &d.danD};
    for (std::size_t i = 0; i < m_dims.size(); ++i)
        *fields[i] = ss(m_dims[i]->text());
    const sections::ShapeCalculation c = sections::computeShape(panel, d);
    if (!c.error.empty()) {
        m_dialogs.inform(qs(c.error)); // the result lines keep their texts
        return;
    }
    if (!c.texts)
        return;
    m_danres[0]->setText(qs(c.texts->danres1));
    m_danres[1]->setText(qs(c.texts->danres2));
    m_danres[2]->setText(qs(c.texts->danres3));
    m_danres[3]->setText(qs(c.texts->danres4));
}

void CalculatorGroup::danMouseMove(int panel)
{
    for (std::size_t i = 0; i < m_dan.size(); ++i) {
        const QFrame::Shape shape = static_cast<int>(i) + 1 == panel ? QFrame::Box : QFrame::NoFrame;
        if (m_dan[i]->frameShape() != shape)
            m_dan[i]->setFrameShape(shape);
    }
}

void CalculatorGroup::Image24Click()
{
    // in the order danA, danB, danH, danHH, danR, danD, then the four result lines
    for (const char *name : {"danA", "danB", "danH", "danHH", "danR", "danD"})
        findChild<QLineEdit *>(QString::fromUtf8(name))->clear();
    for (QLabel *l : m_danres)
        l->clear();
}

bool CalculatorGroup::eventFilter(QObject *watched, QEvent *event)
{
    // the palette: a panel or its picture
    for (std::size_t i = 0; i < m_dan.size(); ++i) {
        if (watched != m_dan[i] && watched->parent() != m_dan[i])
            continue;
        const int panel = static_cast<int>(i) + 1;
        switch (event->type()) {
        case QEvent::MouseMove:
            danMouseMove(panel);
            break;
        case QEvent::MouseButtonPress:
            // taken here, so that a click on the picture does not reach the panel as well
            return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
                break;
            danClick(panel);
            return true;
        default:
            break;
        }
        return QGroupBox::eventFilter(watched, event);
    }

    return QGroupBox::eventFilter(watched, event);
}
