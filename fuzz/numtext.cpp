// The number-text parser and the pattern formatter on arbitrary text and patterns.
#include "beam/numtext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view all(reinterpret_cast<const char *>(data), size);
    // first line: a field text; the rest: a pattern
    const std::size_t nl = all.find('\n');
    const std::string_view text = all.substr(0, nl);
    const std::string_view pattern = nl == std::string_view::npos ? std::string_view("##0.000") : all.substr(nl + 1, 40);

    const long double v = beam::parseNumber(text);
    (void)beam::parseInteger(text);
    const double d = static_cast<double>(v);
    if (std::isfinite(d)) {
        const std::string out = beam::formatNumber(d, pattern);
        // a pattern of placeholders only gives digits, a sign and the point
        if (pattern.find_first_not_of("#0.") == std::string_view::npos
            && out.find_first_not_of("-0123456789.") != std::string::npos)
            std::abort();
        // a fixed pattern's text reads back within half a unit of its last decimal
        if (pattern == "##0.000" && std::fabs(d) < 1e12) {
            const double back = beam::parseDouble(out);
            if (std::fabs(back - d) > 0.0005 + 1e-14 * std::fabs(d) + 1e-12)
                std::abort();
        }
    }
    (void)beam::formatSingle(static_cast<float>(d), pattern);
    return 0;
}
