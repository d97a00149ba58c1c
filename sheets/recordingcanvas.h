// A canvas and a print job that only record what is drawn, as readable strings, so tests
// (of any module) can compare drawings call by call instead of pixel by pixel.
#pragma once

#include "beam/canvas.h"
#include "sheets/print.h"

#include <string>
#include <vector>

namespace sheets {

// Records "line x1,y1-x2,y2" for each lineTo (from the pen position), "text x,y TEXT",
// "font N", "colour r,g,b" and "clear"; moveTo only moves the pen.
class RecordingCanvas : public beam::Canvas {
public:
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void text(int x, int y, const std::string &utf8) override;
    void setFontSize(int points) override;
    void setTextColor(beam::Rgb colour) override;
    void clear() override;

    // The recorded calls that begin with prefix ("text ", "line ").
    std::vector<std::string> callsStartingWith(const std::string &prefix) const;
    // True when a call equal to the given string was recorded.
    bool has(const std::string &call) const;

    std::vector<std::string> calls;

private:
    int m_x = 0;
    int m_y = 0;
};

// Draws nothing and records nothing: for timing the composition alone.
class NullCanvas : public beam::Canvas {
public:
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void text(int, int, const std::string &) override {}
    void setFontSize(int) override {}
    void setTextColor(beam::Rgb) override {}
    void clear() override {}
};

// A print job that records "begin", "newPage" and "end" in its log and keeps one
// RecordingCanvas per sheet of paper.
class RecordingPrintJob : public PrintJob {
public:
    explicit RecordingPrintJob(int width = 4800, bool canBegin = true) : m_width(width), m_canBegin(canBegin) {}
    int printableWidth() const override { return m_width; }
    int dotsPerInch() const override { return 600; } // 4800 pixels: the width of A4 less its margins
    bool begin() override;
    beam::Canvas &canvas() override;
    void newPage() override;
    void end() override;

    std::vector<std::string> log;       // "begin", "newPage", "end" in order
    std::vector<RecordingCanvas> pages; // one per sheet of paper

private:
    int m_width;
    bool m_canBegin;
};

} // namespace sheets
