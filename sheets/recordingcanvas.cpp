#include "sheets/recordingcanvas.h"

#include <algorithm>

namespace sheets {

namespace {

std::string point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

} // namespace

void RecordingCanvas::moveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void RecordingCanvas::lineTo(int x, int y)
{
    calls.push_back("line " + point(m_x, m_y) + "-" + point(x, y));
    m_x = x;
    m_y = y;
}

void RecordingCanvas::text(int x, int y, const std::string &utf8) { calls.push_back("text " + point(x, y) + " " + utf8); }

void RecordingCanvas::setFontSize(int points) { calls.push_back("font " + std::to_string(points)); }

void RecordingCanvas::setTextColor(beam::Rgb colour)
{
    calls.push_back("colour " + std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b));
}

void RecordingCanvas::clear() { calls.push_back("clear"); }

std::vector<std::string> RecordingCanvas::callsStartingWith(const std::string &prefix) const
{
    std::vector<std::string> found;
    for (const std::string &call : calls)
        if (call.starts_with(prefix))
            found.push_back(call);
    return found;
}

bool RecordingCanvas::has(const std::string &call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

bool RecordingPrintJob::begin()
{
    if (!m_canBegin)
        return false;
    log.push_back("begin");
    pages.emplace_back();
    return true;
}

beam::Canvas &RecordingPrintJob::canvas()
{
    if (pages.empty())
        pages.emplace_back(); // drawing outside begin()/end() lands on a page of its own
    return pages.back();
}

void RecordingPrintJob::newPage()
{
    log.push_back("newPage");
    pages.emplace_back();
}

void RecordingPrintJob::end() { log.push_back("end"); }

} // namespace sheets
