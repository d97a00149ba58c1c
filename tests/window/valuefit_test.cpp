// Result fields of pages 1 and 2 show every digit: a moment or reaction of four integer
// digits (1250.000 kN-m is an ordinary long-span beam in SI) is wider than the field in
// the page's font, and a right-aligned label would cut its leading digit off.
#include "tests/window/windowfixture.h"

#include "window/valuelabel.h"

#include <QFontMetrics>

namespace {

TEST_F(WindowTest, ResultFieldsKeepEveryDigitVisible)
{
    const char *const fields[] = {"RMmax", "RMmaxl", "RQa", "RQb", "RSigmab", "Rfb", "Rratio", "Rdelta", "Rlx",
                                  "listMmax", "listMmaxl", "listsigmab", "listfb", "listQa", "listQb",
                                  "listdelta", "listratio", "listlx"};
    const QString values[] = {QStringLiteral("1250.000"), QStringLiteral("-12345.678"), QStringLiteral("123456.7")};
    for (const char *name : fields) {
        auto *label = qobject_cast<ValueLabel *>(find<QLabel>(name));
        ASSERT_NE(label, nullptr) << name;
        const int room = label->contentsRect().width() - 2 * label->margin();
        for (const QString &value : values) {
            SCOPED_TRACE(std::string(name) + " " + value.toStdString());
            label->setText(value);
            EXPECT_LE(QFontMetrics(label->fittingFont()).horizontalAdvance(value), room);
        }
        // a value that fits keeps the page's font
        label->setText(QStringLiteral("3.000"));
        EXPECT_EQ(QFontInfo(label->fittingFont()).pixelSize(), QFontInfo(label->font()).pixelSize()) << name;
    }
}

} // namespace
