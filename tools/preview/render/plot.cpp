#include "render/plot.h"

#include <algorithm>
#include <cmath>

namespace aurivel::preview {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int kLegendRowHeight = 24;
constexpr double kLineWidth = 2.0;
constexpr double kDashLength = 7.0;

constexpr Rgb kPaper{1.0f, 1.0f, 1.0f};
constexpr Rgb kInk{0.02f, 0.02f, 0.02f};
constexpr Rgb kGrid{0.75f, 0.75f, 0.75f};

// Coverage of a pixel centre by a round pen of the given radius.
void Stamp(Image& image, double cx, double cy, double radius, Rgb colour) {
    const int x0 = static_cast<int>(std::floor(cx - radius - 1.0));
    const int y0 = static_cast<int>(std::floor(cy - radius - 1.0));
    const int x1 = static_cast<int>(std::ceil(cx + radius + 1.0));
    const int y1 = static_cast<int>(std::ceil(cy + radius + 1.0));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            image.Blend(x, y, colour, static_cast<float>(std::clamp(radius + 0.5 - distance, 0.0, 1.0)));
        }
    }
}

double Px(int pixels) { return static_cast<double>(pixels); }

double ToPixelX(const PlotFrame& f, double degrees) { return f.axisLeft + (f.axisRight - f.axisLeft) * degrees / 90.0; }

// The reflectance axis runs from 0 to 1, or to the tenth above the highest
// curve where one rises above 1, as the integrated red of gold does in sRGB,
// so that every curve stays inside the frame.
class ReflectanceAxis {
public:
    ReflectanceAxis(const PlotFrame& frame, const std::vector<PlotCurve>& curves) : frame_(frame) {
        float highest = 1.0f;
        for (const PlotCurve& curve : curves) {
            for (const float v : curve.values) {
                highest = std::max(highest, v);
            }
        }
        tenths_ = static_cast<int>(std::ceil(highest * 10.0));
    }

    int Tenths() const { return tenths_; }
    double ToPixelY(double reflectance) const {
        return frame_.axisBottom - (frame_.axisBottom - frame_.axisTop) * reflectance * 10.0 / tenths_;
    }

private:
    PlotFrame frame_;
    int tenths_;
};

std::wstring TenthsLabel(int tenths) { return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10); }

void DrawGridAndAxes(Image& image, const PlotFrame& f, const ReflectanceAxis& axis, const Font& font) {
    for (int degrees = 0; degrees <= 90; degrees += 15) {
        const double x = ToPixelX(f, degrees);
        DrawPolyline(image, {{x, Px(f.axisTop)}, {x, Px(f.axisBottom)}}, kGrid, 1.0, 0.0);
        const std::wstring label = std::to_wstring(degrees);
        font.Draw(image, static_cast<int>(x) - font.TextWidth(label) / 2, f.axisBottom + 8 + font.CapHeight(), label,
                  kInk);
    }
    for (int tenths = 0; tenths <= axis.Tenths(); tenths += 2) {
        const double y = axis.ToPixelY(tenths / 10.0);
        DrawPolyline(image, {{Px(f.axisLeft), y}, {Px(f.axisRight), y}}, kGrid, 1.0, 0.0);
        const std::wstring label = TenthsLabel(tenths);
        font.Draw(image, f.axisLeft - 8 - font.TextWidth(label), static_cast<int>(y) + font.CapHeight() / 2, label,
                  kInk);
    }
    DrawPolyline(
        image,
        {{Px(f.axisLeft), Px(f.axisTop)}, {Px(f.axisLeft), Px(f.axisBottom)}, {Px(f.axisRight), Px(f.axisBottom)}},
        kInk, 1.5, 0.0);
    const std::wstring xTitle = L"view angle (degrees from head-on)";
    font.Draw(image, (f.axisLeft + f.axisRight - font.TextWidth(xTitle)) / 2, f.height - 12, xTitle, kInk);
    font.Draw(image, 10, f.axisTop - 10, L"reflectance", kInk);
}

void DrawCurve(Image& image, const PlotFrame& f, const ReflectanceAxis& axis, const PlotCurve& curve) {
    const std::vector<double> angles = PlotAngles(static_cast<int>(curve.values.size()));
    std::vector<PointF> points;
    for (std::size_t i = 0; i < angles.size(); ++i) {
        points.push_back({ToPixelX(f, angles[i]), axis.ToPixelY(curve.values[i])});
    }
    DrawPolyline(image, points, curve.colour, kLineWidth, curve.dashed ? kDashLength : 0.0);
}

void DrawLegend(Image& image, const PlotFrame& f, const std::vector<PlotCurve>& curves, const Font& font) {
    int y = f.axisTop + 10;
    for (const PlotCurve& curve : curves) {
        DrawPolyline(image, {{Px(f.legendLeft), y - 5.0}, {Px(f.legendLeft + f.legendLineLength), y - 5.0}},
                     curve.colour, kLineWidth, curve.dashed ? kDashLength : 0.0);
        font.Draw(image, f.legendLeft + f.legendLineLength + 8, y, curve.name, kInk);
        y += kLegendRowHeight;
    }
}

}  // namespace

void DrawPolyline(Image& image, const std::vector<PointF>& points, Rgb colour, double width, double dashLength) {
    constexpr double kStep = 0.25;
    const double radius = width / 2.0;
    double travelled = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const PointF a = points[i - 1];
        const PointF b = points[i];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / kStep)));
        for (int s = 0; s <= steps; ++s) {
            const double t = static_cast<double>(s) / steps;
            const bool inDash = dashLength <= 0.0 || std::fmod(travelled + t * length, 2.0 * dashLength) < dashLength;
            if (inDash) {
                Stamp(image, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, radius, colour);
            }
        }
        travelled += length;
    }
}

std::vector<double> PlotAngles(int count) {
    std::vector<double> angles;
    for (int i = 0; i < count; ++i) {
        angles.push_back(count > 1 ? 90.0 * i / (count - 1) : 0.0);
    }
    return angles;
}

SphereSample SampleAtViewAngle(double degrees) {
    const double radians = degrees * kPi / 180.0;
    SphereSample sample;
    sample.normal = {0.0f, 0.0f, 1.0f};
    sample.view = {0.0f, static_cast<float>(std::sin(radians)), static_cast<float>(-std::cos(radians))};
    return sample;
}

// Above the axis's label, centred: on one line where it fits, else on two,
// broken after "name:" or else at the last space that lets the first fit,
// and the second broken again between n and k where it does not fit.
void DrawTitle(Image& image, const PlotFrame& f, const std::wstring& title, const Font& font) {
    constexpr int kMargin = 10;
    const int room = f.width - 2 * kMargin;
    const auto draw = [&](const std::wstring& line, int baseline) {
        font.Draw(image, std::max(kMargin, (f.width - font.TextWidth(line)) / 2), baseline, line, kInk);
    };
    if (font.TextWidth(title) <= room) {
        draw(title, 22);
        return;
    }
    std::size_t cut = title.find(L":  ");
    cut = cut != std::wstring::npos && font.TextWidth(title.substr(0, cut + 1)) <= room ? cut + 1 : title.rfind(L' ');
    while (cut != std::wstring::npos && cut > 0 && font.TextWidth(title.substr(0, cut)) > room) {
        cut = title.rfind(L' ', cut - 1);
    }
    if (cut == std::wstring::npos || cut == 0) {
        draw(title, 22);
        return;
    }
    draw(title.substr(0, cut), 16);
    const std::wstring rest = title.substr(title.find_first_not_of(L' ', cut));
    const std::size_t values = rest.find(L"   ");  // between a title's n and k
    if (font.TextWidth(rest) <= room || values == std::wstring::npos) {
        draw(rest, 32);
        return;
    }
    draw(rest.substr(0, values), 32);
    draw(rest.substr(rest.find_first_not_of(L' ', values)), 48);
}

Image DrawReflectancePlot(const std::vector<PlotCurve>& curves, const std::wstring& title, const Font& font,
                          const PlotFrame& frame) {
    Image image(frame.width, frame.height, kPaper);
    const ReflectanceAxis axis(frame, curves);
    DrawGridAndAxes(image, frame, axis, font);
    for (const PlotCurve& curve : curves) {
        DrawCurve(image, frame, axis, curve);
    }
    DrawLegend(image, frame, curves, font);
    DrawTitle(image, frame, title, font);
    return image;
}

}  // namespace aurivel::preview
