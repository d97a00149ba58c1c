// Numbers as the program keeps them: decimal text in named fields, parsed when an
// operation runs and written back through fixed format patterns.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace beam {

// The text with what a Japanese input method types in a number turned into ASCII:
// full-width digits, the full-width full stop, the signs "－" "−" "‐" "＋" and the
// full-width space. Everything else is kept as it is.
std::string asciiNumberText(std::string_view text);

// Reads the leading number of a field text (after asciiNumberText): optional blanks, an optional sign, digits
// with "." as the decimal point and an optional exponent ("E" or "e"). Empty text, and
// text that does not begin with a number, reads as 0. Characters after the number are
// ignored. A number too large for long double reads as +-infinity (callers that must
// not see it test std::isfinite).
long double parseNumber(std::string_view text);

// How many characters of the text (after asciiNumberText and trimming blanks at both
// ends) follow its leading number: 0 when the number is the whole text or there is no
// text, and the whole length when it does not begin with a number.
std::size_t textAfterNumber(std::string_view text);

// The text of a cell that must hold a number and nothing else (a schedule's): after
// asciiNumberText and blanks at both ends, an optional sign and a plain decimal number,
// whose integer digits may be grouped by three with commas as a spreadsheet's thousands
// format writes them ("7,200", "-1,234.5"). Returns the text with those commas dropped
// ("7200"), read by parseNumber as the number it shows; nothing for any other text ("",
// "6m", "NaN", "inf", "1e3", "0x10", "1,5", "0,5", "1,234,5").
std::optional<std::string> plainNumberText(std::string_view text);

// parseNumber rounded to double (64-bit), and to float (32-bit).
double parseDouble(std::string_view text);
float parseSingle(std::string_view text);

// The whole text (after asciiNumberText) as a decimal integer (optional blanks and
// sign, digits, optional trailing blanks); nothing else. Used where a count or page number must be exact.
std::optional<long long> parseInteger(std::string_view text);

// Writes a value through a format pattern:
//   "0" a digit always shown, "#" an optional digit, "." the decimal point,
//   other characters are copied; integer digits beyond the pattern are still shown,
//   negatives get a leading "-", and a value that rounds to zero never shows "-".
//   "e+" / "e-" (or "E") make the pattern scientific: "0.000 000e+" gives
//   "6.666 667e+3".
// Rounding is half away from zero on the value's decimal form: 15 significant digits
// for a double, and for a float (formatSingle) the shortest decimal that reads back as
// the same float, so a typed 123456.78 stays 123456.78.
std::string formatNumber(double value, std::string_view pattern);
std::string formatSingle(float value, std::string_view pattern);

} // namespace beam
