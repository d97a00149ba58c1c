// Everything a drawing needs from a surface: the page-1 and result-page diagrams and the
// calculation sheets all draw through this, on a bitmap, a printer or a recording.
#pragma once

#include <string>

namespace beam {

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kNavy{0, 0, 128};

// Integer coordinates, origin top-left, y downwards. Lines are 1 pixel, black.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Text with its top-left corner at (x, y), on an opaque white background, in the
    // current font size and colour.
    virtual void text(int x, int y, const std::string &utf8) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setTextColor(Rgb colour) = 0;
    // Flood fill from (1, 1) with white, bounded only by grey; the drawings hold no
    // grey, so the whole surface becomes white.
    virtual void clear() = 0;
};

} // namespace beam
