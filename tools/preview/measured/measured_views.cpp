#include "measured/measured_views.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <memory>
#include <sstream>
#include <unordered_map>

#include "base/numbers.h"
#include "measured/nk_source.h"
#include "metal_colour/channel_wavelengths.h"

namespace aurivel::preview {
namespace {

std::string Fixed(double v, int decimals) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(decimals) << v;
    return s.str();
}

void PrintConstants(const char* indent, const OpticalConstants& c, std::ostream& out) {
    out << indent << "n = " << ShortestDecimal(c.nr) << ' ' << ShortestDecimal(c.ng) << ' ' << ShortestDecimal(c.nb)
        << '\n'
        << indent << "k = " << ShortestDecimal(c.kr) << ' ' << ShortestDecimal(c.kg) << ' ' << ShortestDecimal(c.kb)
        << '\n';
}

class TruthShader : public SampleShader {
public:
    explicit TruthShader(std::shared_ptr<const metal_colour::SpectralColour> truth) : truth_(std::move(truth)) {}

    Rgb Shade(const SphereSample& s) override {
        const double cosine =
            std::fabs(double{s.normal.x} * s.view.x + double{s.normal.y} * s.view.y + double{s.normal.z} * s.view.z);
        return ColourAt(std::min(cosine, 1.0));
    }

private:
    // A sphere's pixels repeat their cosines (its symmetry, and normals in
    // float), and each colour integrates a whole spectrum: each is computed
    // once. A shader serves one thread.
    Rgb ColourAt(double cosine) {
        const auto [entry, isNew] = colours_.try_emplace(cosine);
        if (isNew) {
            const metal_colour::LinearRgb c = truth_->At(cosine);
            entry->second = {static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b)};
        }
        return entry->second;
    }

    std::shared_ptr<const metal_colour::SpectralColour> truth_;
    std::unordered_map<double, Rgb> colours_;
};

class LitShader : public SampleShader {
public:
    explicit LitShader(std::unique_ptr<SampleShader> inner) : inner_(std::move(inner)) {}

    Rgb Shade(const SphereSample& s) override {
        const Rgb colour = inner_->Shade(s);
        const Vec3& n = s.normal;
        const Vec3& v = s.view;
        const float twice = 2.0f * (n.x * v.x + n.y * v.y + n.z * v.z);
        const Rgb light = StudioLight({v.x - twice * n.x, v.y - twice * n.y, v.z - twice * n.z});
        return {colour.r * light.r, colour.g * light.g, colour.b * light.b};
    }

private:
    std::unique_ptr<SampleShader> inner_;
};

// 1 inside a cone of the given half angle around the axis, 0 outside the
// soft edge beyond it.
double SoftCone(const Vec3& direction, const Vec3& axis, double innerDegrees, double outerDegrees) {
    const double length = std::sqrt(double{axis.x} * axis.x + double{axis.y} * axis.y + double{axis.z} * axis.z);
    const double c = (direction.x * axis.x + direction.y * axis.y + direction.z * axis.z) / length;
    const double inner = std::cos(metal_colour::Radians(innerDegrees));
    const double outer = std::cos(metal_colour::Radians(outerDegrees));
    return std::clamp((c - outer) / (inner - outer), 0.0, 1.0);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

metal_colour::RenderingSpaceId ChosenSpaceId(const Options& options) {
    return options.renderingSpace == RenderingSpaceChoice::kAcescg ? metal_colour::RenderingSpaceId::kAcescg
                                                                   : metal_colour::RenderingSpaceId::kSrgb;
}

metal_colour::RenderingSpace ChosenSpace(const Options& options, const metal_colour::Observer& observer) {
    return metal_colour::RenderingSpace(ChosenSpaceId(options), observer.White());
}

FitMethod ChosenFitMethod(const nkdata::NkData& data, const Options& options) {
    return options.fit.value_or(nkdata::Covers(data, metal_colour::kVisibleRange) ? FitMethod::kSpectral : FitMethod::kThree);
}

OpticalConstants MeasuredConstants(const nkdata::NkData& data, const Options& options,
                                   const metal_colour::Observer& observer, std::ostream& out) {
    const FitMethod method = ChosenFitMethod(data, options);
    if (method == FitMethod::kSpectral) {
        nkdata::RequireCoverage(data, metal_colour::kVisibleRange);
    }
    const OpticalConstants sampled = metal_colour::ThreeWavelengthConstants(data);
    PrintNkConstants(data, sampled, out);
    if (method == FitMethod::kThree) {
        if (!options.fit) {
            out << "The data do not cover " << metal_colour::VisibleRangeName()
                << ", so the map takes the values at the channel wavelengths.\n";
        }
        return sampled;
    }
    const metal_colour::SpectralColour truth = metal_colour::IntegratedColour(data, observer, ChosenSpaceId(options));
    const metal_colour::FitReport report = metal_colour::FitMeasured(data, truth);
    PrintFitReport(report, truth.Space(), out);
    return report.fitted;
}

std::string MeasuredMapName(const nkdata::NkData& data, const Options& options) {
    const std::string& given = options.nkCsv ? *options.nkCsv : options.nk.empty() ? data.source : options.nk.front();
    const std::string name = options.nkDb ? given : given.substr(given.find_last_of("/\\") + 1);
    if (ChosenFitMethod(data, options) == FitMethod::kThree) {
        return name + ", at the channel wavelengths";
    }
    return name + ", fitted for " + ChosenSpace(options, metal_colour::Observer::Cie1931D65()).Name();
}

void PrintFitReport(const metal_colour::FitReport& report, const metal_colour::RenderingSpace& space, std::ostream& out) {
    out << "Spectral fit to the integrated colour (CIE 1931 2\xc2\xb0 observer, D65, " << space.Name()
        << "), the values the map takes:\n";
    PrintConstants("  ", report.fitted, out);
    out << "  \xce\x94"
           "E2000 against the integrated colour:\n"
        << "    angle   channel wavelengths   fitted\n";
    bool outside = false;
    for (const metal_colour::AngleJudgement& a : report.angles) {
        out << "    " << std::setw(4) << Fixed(a.degrees, 0) << "\xc2\xb0  " << std::setw(20)
            << Fixed(a.sampledDeltaE, 2) << std::setw(9) << Fixed(a.fittedDeltaE, 2) << (a.inGamut ? "" : "  *")
            << '\n';
        outside = outside || !a.inGamut;
    }
    if (outside) {
        out << "    * the integrated colour lies outside " << space.Name()
            << "'s gamut there; the map comes as close as it can\n";
    }
}

ShaderFactory SpectralShaders(const metal_colour::SpectralColour& truth) {
    auto shared = std::make_shared<const metal_colour::SpectralColour>(truth);
    return [shared] { return std::make_unique<TruthShader>(shared); };
}

Rgb StudioLight(const Vec3& d) {
    // Floor and backdrop meet at the horizon; the key box hangs up and to
    // the left in front, a strip light stands at the right, and a faint box
    // overhead rounds off the top.
    const double ground = 0.05 + 0.12 * SmoothStep(-0.7, 0.0, d.y);
    const double backdrop = 0.32 + 0.45 * SmoothStep(0.0, 0.9, d.y);
    double v = d.y < 0.0f ? ground : backdrop;
    v += 4.0 * SoftCone(d, {-0.55f, 0.6f, 0.6f}, 16.0, 22.0);
    const double stripAcross = std::fabs(std::atan2(double{d.z}, double{d.x}) - std::atan2(-0.35, 0.94));
    v += 2.2 * std::clamp((0.10 - stripAcross) / 0.03, 0.0, 1.0) * SmoothStep(-0.35, -0.2, d.y) *
         (1.0 - SmoothStep(0.6, 0.75, d.y));
    v += 1.2 * SoftCone(d, {0.0f, 1.0f, 0.15f}, 12.0, 30.0);
    const float f = static_cast<float>(v);
    return {f, f, f};
}

ShaderFactory LitShaders(ShaderFactory inner) {
    return [inner = std::move(inner)] { return std::make_unique<LitShader>(inner()); };
}

void ShowInSrgb(Image& image, const metal_colour::RenderingSpace& space) {
    const metal_colour::RenderingSpace srgb(metal_colour::RenderingSpaceId::kSrgb, space.ToXyz({1.0, 1.0, 1.0}));
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            Rgb& p = image.At(x, y);
            const metal_colour::LinearRgb shown = srgb.FromXyz(space.ToXyz({p.r, p.g, p.b}));
            p = {static_cast<float>(shown.r), static_cast<float>(shown.g), static_cast<float>(shown.b)};
        }
    }
}

std::vector<PlotCurve> IntegratedCurves(const metal_colour::SpectralColour& truth, int count) {
    std::vector<PlotCurve> curves{{L"R integrated", {0.45f, 0.0f, 0.0f}, false, {}},
                                  {L"G integrated", {0.0f, 0.28f, 0.0f}, false, {}},
                                  {L"B integrated", {0.0f, 0.05f, 0.45f}, false, {}}};
    for (const double degrees : PlotAngles(count)) {
        const metal_colour::LinearRgb c = truth.AtViewAngle(degrees);
        curves[0].values.push_back(static_cast<float>(c.r));
        curves[1].values.push_back(static_cast<float>(c.g));
        curves[2].values.push_back(static_cast<float>(c.b));
    }
    return curves;
}

}  // namespace aurivel::preview
