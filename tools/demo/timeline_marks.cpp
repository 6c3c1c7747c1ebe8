#include "timeline_marks.h"

#include <stdio.h>

#include "report_text.h"

std::string Num(double value)
{
    char text[32];
    snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string Beside(double x, double y, const std::string& text, const char* colour)
{
    const bool left = x > LABELS + PLOT / 2;
    return "<text x=\"" + Num(left ? x - 8 : x + 8) + "\" y=\"" + Num(y) + "\" fill=\"" + colour + "\""
        + (left ? " text-anchor=\"end\"" : "") + ">" + Escaped(text) + "</text>\n";
}

std::string StartMark(double x, double y, const char* colour, const std::string& title)
{
    return "<path d=\"M" + Num(x - 5) + " " + Num(y - 7) + "h10l-5 7z\" fill=\"" + colour + "\"><title>"
        + Escaped(title) + "</title></path>\n";
}

std::string EndMark(double x, double y, const char* colour, const std::string& title)
{
    return "<rect x=\"" + Num(x - 1.5) + "\" y=\"" + Num(y - 8) + "\" width=\"3\" height=\"12\" fill=\"" + colour
        + "\"><title>" + Escaped(title) + "</title></rect>\n";
}

std::string Line(double x1, double x2, double y, const char* colour, bool dashed, const std::string& title)
{
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(x2) + "\" y2=\"" + Num(y) + "\" stroke=\""
        + colour + "\" stroke-width=\"2\"" + (dashed ? " stroke-dasharray=\"4 3\"" : "") + "><title>" + Escaped(title)
        + "</title></line>\n";
}

double LaneY(int lane)
{
    return (double)AXIS + lane * LANE + 15;
}

std::string LaneLabel(int lane, const std::string& text)
{
    return "<text x=\"4\" y=\"" + Num(LaneY(lane) + 4) + "\">" + Escaped(text) + "</text>\n";
}
