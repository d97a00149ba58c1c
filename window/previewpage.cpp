#include "window/previewpage.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "printing/printerjob.h"
#include "printing/sheetcanvas.h"
#include "results/table.h"
#include "sheets/print.h"
#include "window/dialogs.h"
#include "window/fieldgroup.h"
#include "window/imagebutton.h"
#include "window/pictures.h"
#include "window/printsettings.h"
#include "window/sheetkind.h"
#include "window/sibasis.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

// The pages the buttons step through: 25 pages hold the 50 slots, two sheets a page.
constexpr int kLastPage = 25;

// The two display sizes of `pageA`, placed at (0, 8) of the page.
constexpr QPoint kPageAt(0, 8);
constexpr QSize kFullSize(630, 885);
constexpr QSize kWholeSize(370, 520);

// The save dialog's filter: files "*.bmp", described as "新規(*.bmp)".
const char *const kBitmapFilter = "新規(*.bmp)";
// The PDF export's filter.
const char *const kPdfFilter = "PDFファイル(*.pdf)";
const char *const kOverwrite = "同じ名前のファイルが既にありますが上書きしますか？";

// The page image area `pageA`: the page bitmap (at the screen's density) stretched to the
// area's size.
class PageView : public QWidget {
public:
    PageView(const QImage &page, QWidget *parent) : QWidget(parent), m_page(page) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (size() != m_page.deviceIndependentSize().toSize())
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_page);
    }

private:
    const QImage &m_page;
};

} // namespace

QString bitmapFileBase(const QString &chosen)
{
    const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    // an extension lies inside the last path element, after its first character
    if (dot > slash + 1)
        return chosen.left(dot);
    return chosen;
}

PreviewPage::PreviewPage(Dialogs &dialogs, const results::Table &table, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs), m_table(table), m_page(newSheetPage()),
      m_shownPage(newSheetPage(devicePixelRatioF()))
{
    setObjectName(QStringLiteral("previewPage"));
    // the page bitmap first, so that the right-hand column lies above it
    m_pageA = new PageView(m_shownPage, this);
    m_pageA->setObjectName(QStringLiteral("pageA"));
    m_pageA->setGeometry(QRect(kPageAt, kFullSize));

    setupPageButtons();
    m_printSettings = new PrintSettingsGroup(this);
    m_printSettings->setGeometry(640, 72, 137, 129);
    connect(m_printSettings, &PrintSettingsGroup::positionClicked, this, &PreviewPage::hyoujipageChange);
    setupMarking();
    setupFoot();
}

void PreviewPage::setupPageButtons()
{
    auto *caption = panel::placeLabel(this, QStringLiteral("表示頁"), 640, 0);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->adjustSize();

    // read-only: the page buttons change it, and every change composes that page
    m_hyoujipage = panel::smallEdit(this, "hyoujipage", QRect(648, 16, 25, 20), "0");
    m_hyoujipage->setReadOnly(true);
    m_hyoujipage->setAlignment(Qt::AlignCenter);
    connect(m_hyoujipage, &QLineEdit::textChanged, this, &PreviewPage::hyoujipageChange);

    struct Step {
        const char *name;
        int y;
        bool forward;
        const char *hint;
    };
    const Step steps[] = {{"back", 0, false, "前のページを表示します。"}, {"next", 20, true, "次のページを表示します。"}};
    for (const Step &s : steps) {
        auto *b = new ImageButton(this);
        b->setObjectName(QString::fromUtf8(s.name));
        b->setGeometry(704, s.y, 33, 17);
        b->setPixmap(pictures::pageStep(s.forward));
        b->setToolTip(QString::fromUtf8(s.hint));
        connect(b, &ImageButton::clicked, this, s.forward ? &PreviewPage::nextClick : &PreviewPage::backClick);
    }

    // the four commands, each in a raised 25 x 25 frame
    struct Command {
        const char *name;
        int x;
        QPixmap picture;
        const char *hint;
        void (PreviewPage::*action)();
    };
    const Command commands[] = {
        {"Image13", 648, pictures::sheet(false), "A4の半分を表示します。", &PreviewPage::Image13Click},
        {"Image12", 680, pictures::sheet(true), "A4全体を表示します。", &PreviewPage::Image12Click},
        {"printer2", 712, pictures::printer(), "印刷を開始します。", &PreviewPage::printer2Click},
        {"Tobmp", 744, pictures::bitmap(), "このページをBMPファイルとして保存します。", &PreviewPage::TobmpClick},
    };
    for (const Command &c : commands) {
        auto *frame = new QFrame(this);
        frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame->setLineWidth(1);
        frame->setGeometry(c.x, 44, 25, 25);
        auto *b = new ImageButton(frame);
        b->setObjectName(QString::fromUtf8(c.name));
        b->setGeometry(5, 5, c.picture.width(), c.picture.height());
        b->setPixmap(c.picture);
        b->setToolTip(QString::fromUtf8(c.hint));
        connect(b, &ImageButton::clicked, this, c.action);
    }
}

void PreviewPage::setupMarking()
{
    const char *const lines[] = {"印刷範囲は計算結果表の", "三角ボタンをクリックして", "指定します。"};
    for (int i = 0; i < 3; ++i)
        panel::placeLabel(this, QString::fromUtf8(lines[i]), 640, 208 + 16 * i, 146);

    struct Mark {
        const char *name;
        bool on;
        int y;
        const char *caption;
    };
    const Mark marks[] = {{"offchkSample", false, 256, "印刷範囲外"}, {"onchkSample", true, 280, "印刷範囲"}};
    for (const Mark &m : marks) {
        // the very pictures of page 2's mark images
        auto *picture = new QLabel(this);
        picture->setObjectName(QString::fromUtf8(m.name));
        picture->setPixmap(pictures::mark(m.on));
        picture->setGeometry(QRect(QPoint(656, m.y), pictures::kMarkSize));
        panel::placeLabel(this, QString::fromUtf8(m.caption), 680, m.y + 8);
    }
}

void PreviewPage::setupFoot()
{
    m_siBasis = new SiBasisGroup(this);
    m_siBasis->setGeometry(640, 312, 145, 84);

    // the PDF export, under the column of settings (the command row above is full)
    auto *pdf = new QPushButton(QStringLiteral("PDF出力..."), this);
    pdf->setObjectName(QStringLiteral("pdfOut"));
    pdf->setGeometry(648, 408, 121, 25);
    pdf->setFocusPolicy(Qt::NoFocus);
    pdf->setToolTip(QStringLiteral("印刷範囲の計算書をPDFファイルに出力します。"));
    connect(pdf, &QPushButton::clicked, this, &PreviewPage::pdfClick);

    // the kind of sheet, under the column; a change shows page 1 of that kind
    m_kind = new SheetKindChoice(this);
    m_kind->setGeometry(640, 438, 145, 60);
    connect(m_kind, &SheetKindChoice::kindChanged, this, &PreviewPage::PageControl1Enter);
}

bool PreviewPage::si157() const
{
    return m_siBasis->si157();
}

void PreviewPage::followTabControl(QTabWidget *tabs)
{
    m_tabs = tabs;
    connect(tabs, &QTabWidget::currentChanged, this, [this] {
        if (!m_quietSwitch)
            hyoujipageChange();
    });
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

void PreviewPage::switchPageQuietly(int index)
{
    if (!m_tabs)
        return;
    m_quietSwitch = true;
    m_tabs->setCurrentIndex(index);
    m_quietSwitch = false;
}

void PreviewPage::focusMoved(QWidget *now)
{
    // a box or another window taking the focus is no focus change of this window: when
    // it closes, the focus comes back to where it was
    if (!now || !m_tabs || now->window() != m_tabs->window())
        return;
    const bool inside = now == m_tabs || m_tabs->isAncestorOf(now);
    if (inside && !m_tabsFocused) {
        m_tabsFocused = true;
        PageControl1Enter();
    } else if (!inside) {
        m_tabsFocused = false;
    }
}

sheets::PageSettings PreviewPage::settings() const
{
    sheets::PageSettings s = m_printSettings->settings();
    s.hyoujipage = m_hyoujipage->text().toStdString();
    return s;
}

void PreviewPage::hyoujipageChange()
{
    const bool detailed = m_kind->detailed();
    const sheets::DetailedPlan plan = detailed ? sheets::planDetailed(m_table) : sheets::DetailedPlan{};
    const int index = static_cast<int>(beam::parseInteger(m_hyoujipage->text().toStdString()).value_or(1)) - 1;
    auto compose = [&](QImage &page, qreal ratio) {
        return detailed ? composeDetailedSheetPage(page, plan, index, ratio)
                        : composeSheetPage(page, m_table, settings(), ratio);
    };
    const sheets::SheetOutcome outcome = compose(m_page, 1.0);
    // a high-density screen shows the same composition with more pixels; the saved bitmap
    // stays the 630 x 885 page
    const qreal ratio = devicePixelRatioF();
    if (ratio > 1.0)
        compose(m_shownPage, ratio);
    else
        m_shownPage = m_page;
    m_pageA->update();
    Q_EMIT composed();
    if (!outcome.error.empty())
        m_dialogs.inform(QString::fromStdString(outcome.error));
}

void PreviewPage::setHyoujipage(int page)
{
    // the same text again is no change and composes nothing
    const QString text = QString::number(page);
    if (m_hyoujipage->text() != text)
        m_hyoujipage->setText(text);
}

int PreviewPage::lastPage() const
{
    return m_kind->detailed() ? std::max(1, sheets::planDetailed(m_table).pageCount()) : kLastPage;
}

void PreviewPage::backClick()
{
    const long long shown = beam::parseInteger(m_hyoujipage->text().toStdString()).value_or(0);
    setHyoujipage(static_cast<int>(std::clamp<long long>(shown - 1, 1, lastPage())));
}

void PreviewPage::nextClick()
{
    const long long shown = beam::parseInteger(m_hyoujipage->text().toStdString()).value_or(0);
    setHyoujipage(static_cast<int>(std::clamp<long long>(shown + 1, 1, lastPage())));
}

void PreviewPage::PageControl1Enter()
{
    setHyoujipage(2);
    setHyoujipage(1);
}

void PreviewPage::Image13Click()
{
    m_pageA->resize(kFullSize);
}

void PreviewPage::Image12Click()
{
    // the whole sheet: 370 x 520, or smaller in the same proportion where the page is
    // lower than that, so that the numbers at the foot of the sheet stay in sight
    QSize size = kWholeSize;
    const int room = height() - kPageAt.y();
    if (room > 0 && room < size.height())
        size = QSize(room * kFullSize.width() / kFullSize.height(), room);
    m_pageA->resize(size);
}

void PreviewPage::TobmpClick()
{
    const QString target = chooseExportFile(kBitmapFilter, QStringLiteral(".bmp"), m_lastBitmap);
    if (target.isEmpty())
        return;

    // the whole bitmap is made in memory first, so a failed write leaves no broken file
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !m_page.save(&buffer, "BMP")) {
        m_dialogs.inform(QStringLiteral("ファイル「%1」に書き込めません。ビットマップを作成できませんでした。").arg(target));
        return;
    }
    const std::string error = files::writeBinaryFile(target.toStdString(),
                                                    std::string_view(bytes.constData(), bytes.size()));
    if (!error.empty()) {
        m_dialogs.inform(QString::fromStdString(error));
        return;
    }
    m_lastBitmap = target;
    m_dialogs.inform(target + QStringLiteral(" で保存しました。"));
}

QString PreviewPage::chooseExportFile(const char *filter, const QString &extension, const QString &proposed)
{
    const QString chosen = m_dialogs.saveFileName(QString::fromUtf8(filter), proposed);
    if (chosen.isEmpty())
        return {};
    const QString base = bitmapFileBase(chosen);
    if (base.endsWith(QLatin1Char('/'))) {
        m_dialogs.inform(QStringLiteral("保存するファイルの名前を入力して下さい。"));
        return {};
    }
    const QString target = base + extension;
    if (QFileInfo::exists(target) && !m_dialogs.askYesNo(QString::fromUtf8(kOverwrite)))
        return {};
    return target;
}

std::optional<QString> PreviewPage::checkPrintSettings()
{
    const sheets::PageSettings s = settings();
    const sheets::MarginCheck margin = sheets::checkMargin(s.hidari);
    if (!margin.error.empty()) {
        m_dialogs.inform(QString::fromStdString(margin.error));
        return std::nullopt;
    }
    if (s.pagechk && !beam::parseInteger(s.firstpage)) {
        m_dialogs.inform(QString::fromStdString(sheets::notIntegerMessage(s.firstpage)));
        return std::nullopt;
    }
    if (sheets::markedSlots(m_table).empty()) {
        m_dialogs.inform(QStringLiteral("印刷する計算結果がありません。計算結果表で印刷範囲を指定して下さい。"));
        return std::nullopt;
    }
    return QString::fromStdString(margin.text);
}

void PreviewPage::pdfClick()
{
    const std::optional<QString> margin = checkPrintSettings();
    if (!margin)
        return;
    // the page is A4 whatever the printer: a margin off its paper is refused before the file
    const bool detailed = m_kind->detailed();
    if (const std::string refusal = detailed ? std::string() : pdfMarginRefusal(m_table, settings()); !refusal.empty()) {
        m_dialogs.inform(QString::fromStdString(refusal));
        return;
    }
    const QString target = chooseExportFile(kPdfFilter, QStringLiteral(".pdf"));
    if (target.isEmpty())
        return;
    m_printSettings->showMargin(*margin);
    // the sheets of `kovel-cli sheets`: A4, the same composition and the same file handling
    const sheets::PrintOutcome outcome = detailed ? printDetailedToPdf(sheets::planDetailed(m_table), target.toStdString())
                                                  : printSheetsToPdf(m_table, settings(), target.toStdString());
    if (!outcome.error.empty()) {
        QString error = QString::fromStdString(outcome.error);
        if (!error.contains(target)) // a failed write names the file itself
            error.prepend(QStringLiteral("ファイル「%1」に出力できません。").arg(target));
        m_dialogs.inform(error);
        return;
    }
    m_dialogs.inform(QStringLiteral("「%1」に計算書を %2 頁出力しました。").arg(target).arg(outcome.sheets));
}

void PreviewPage::printer2Click()
{
    const std::optional<QString> margin = checkPrintSettings();
    if (!margin)
        return;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("計算書"));
    printer.setCreator(QStringLiteral("KOVEL"));
    if (!m_dialogs.choosePrinter(printer))
        return;
    m_printSettings->showMargin(*margin);

    // printing to paper, or into a file made whole first, so that a failed printout never
    // leaves a broken file
    const QString target = printer.outputFileName();
    auto print = [&] {
        PrinterJob job(printer);
        const sheets::PrintOutcome outcome = m_kind->detailed() ? sheets::printDetailed(job, sheets::planDetailed(m_table))
                                                                : sheets::printSheets(job, m_table, settings());
        if (outcome.error.empty() && !job.allPagesStarted())
            return std::string("印刷の途中で次の頁を始められませんでした。");
        return outcome.error;
    };
    if (target.isEmpty()) {
        if (const std::string error = print(); !error.empty())
            m_dialogs.inform(QString::fromStdString(error));
        return;
    }
    files::SafeFileWriter file(target.toStdString());
    std::string error = file.open();
    if (error.empty())
        error = printThroughScratchFile(printer, file, [&](const QString &scratch) {
            printer.setOutputFileName(scratch);
            return print();
        });
    if (error.empty())
        error = file.commit();
    if (!error.empty()) {
        QString message = QString::fromStdString(error);
        if (!message.contains(target)) // a failed write names the file itself
            message.prepend(QStringLiteral("ファイル「%1」に印刷できません。").arg(target));
        m_dialogs.inform(message);
    }
}
