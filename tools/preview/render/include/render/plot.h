// The reflectance-against-view-angle chart.
#pragma once

#include <string>
#include <vector>

#include "render/font.h"
#include "render/image.h"
#include "render/sample_sphere.h"

namespace aurivel::preview {

struct PointF {
    double x;
    double y;
};

// Draws an anti-aliased line through the points; dashLength 0 draws it solid.
void DrawPolyline(Image& image, const std::vector<PointF>& points, Rgb colour, double width, double dashLength);

// View angles in degrees, evenly spaced from 0 to 90 inclusive.
std::vector<double> PlotAngles(int count);

// What the map sees at a view angle: the normal along +z and the view
// direction tilted by the angle from head-on, so the cosine is cos(angle).
SphereSample SampleAtViewAngle(double degrees);

struct PlotCurve {
    std::wstring name;  // shown in the legend
    Rgb colour;
    bool dashed = false;
    std::vector<float> values;  // reflectance at PlotAngles(values.size())
};

// The height of a plot's title and legend text.
inline constexpr int kPlotTextHeight = 14;

// Where a plot puts its axes and legend, in pixels.
struct PlotFrame {
    int width, height;
    int axisLeft, axisRight, axisTop, axisBottom;
    int legendLeft, legendLineLength;
};

// A picture of its own (--plot), and one that a web page shows in a phone's
// width, where its text must stay readable (the atlas's curves).
inline constexpr PlotFrame kWidePlot{800, 480, 70, 580, 50, 420, 605, 36};
inline constexpr PlotFrame kNarrowPlot{440, 370, 50, 270, 78, 312, 282, 26};

Image DrawReflectancePlot(const std::vector<PlotCurve>& curves, const std::wstring& title, const Font& font,
                          const PlotFrame& frame = kWidePlot);

}  // namespace aurivel::preview
