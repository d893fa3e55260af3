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

Image DrawReflectancePlot(const std::vector<PlotCurve>& curves, const std::wstring& title, const Font& font);

}  // namespace aurivel::preview
