// The timeline's geometry and the SVG shapes it is drawn with: lanes, their
// labels, start and end marks, lines and texts beside them.
#ifndef ZQ_DEMO_TIMELINE_MARKS_H
#define ZQ_DEMO_TIMELINE_MARKS_H

#include <string>

// The timeline's geometry, in pixels: a label column, then the time axis.
enum { WIDTH = 960, LABELS = 170, PLOT = 760, AXIS = 26, LANE = 24 };

// Where a time stands on the axis that ends at endMs.
struct Scale {
    long endMs;
    double X(long ms) const
    {
        if (ms < 0)
            ms = 0;
        return LABELS + (double)(ms > endMs ? endMs : ms) * PLOT / endMs;
    }
};

// A coordinate, to a tenth of a pixel.
std::string Num(double value);

// A text beside a mark at x, on the side with room.
std::string Beside(double x, double y, const std::string& text, const char* colour = "#444");

std::string StartMark(double x, double y, const char* colour, const std::string& title);
std::string EndMark(double x, double y, const char* colour, const std::string& title);
std::string Line(double x1, double x2, double y, const char* colour, bool dashed, const std::string& title);

// Where a lane's line stands, and its label in the label column.
double LaneY(int lane);
std::string LaneLabel(int lane, const std::string& text);

#endif
