#include "metal_colour/fit.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <type_traits>

#include "metal_colour/channel_wavelengths.h"
#include "shading/conductor_fresnel.h"
#include "shading/shade_sample.h"

namespace aurivel::metal_colour {
namespace {

constexpr double kLargestConstant = kOpticalConstantHigh;
constexpr int kFitAngleCount = 90;  // 0° to 89° in whole degrees
constexpr int kGridSteps = 25;      // per axis of the coarse search
constexpr double kGridSmallest = 0.01;
constexpr double kRelativeTolerance = 1e-7;  // about a float's resolution
constexpr int kMaxEvaluations = 20000;

using FitAngles = std::array<float, kFitAngleCount>;

FitAngles FitCosines() {
    FitAngles cosines{};
    for (int i = 0; i < kFitAngleCount; ++i) {
        cosines[static_cast<std::size_t>(i)] = static_cast<float>(CosineOfDegrees(i));
    }
    return cosines;
}

// CIELAB's lightness of one channel's value: equal steps of it look about
// equally different, so the fit spends its accuracy where the eye would.
double Lightness(double v) {
    constexpr double kDelta = 6.0 / 29.0;
    const double f = v > kDelta * kDelta * kDelta ? std::cbrt(v) : v / (3.0 * kDelta * kDelta) + 4.0 / 29.0;
    return 116.0 * f - 16.0;
}

double Channel(const LinearRgb& rgb, int channel) { return channel == 0 ? rgb.r : channel == 1 ? rgb.g : rgb.b; }

OpticalConstants ToFloats(const double* x) {
    const auto f = [](double v) { return static_cast<float>(v); };
    return {f(x[0]), f(x[1]), f(x[2]), f(x[3]), f(x[4]), f(x[5])};
}

using Objective = double (*)(unsigned count, const double* x, double* gradient, void* data);

// Bounded, derivative-free minimisation within the map's range (Powell's
// BOBYQA): the map's values are single precision, whose rounding makes
// numerical derivatives useless near the minimum. Keeps x when the solver
// fails or finds nothing better.
void MinimiseWithinMapRange(Objective objective, void* data, double* x, unsigned count) {
    struct Destroy {
        void operator()(nlopt_opt o) const { nlopt_destroy(o); }
    };
    const std::unique_ptr<std::remove_pointer_t<nlopt_opt>, Destroy> opt(nlopt_create(NLOPT_LN_BOBYQA, count));
    if (!opt) {
        return;
    }
    nlopt_set_lower_bounds1(opt.get(), 0.0);
    nlopt_set_upper_bounds1(opt.get(), kLargestConstant);
    nlopt_set_min_objective(opt.get(), objective, data);
    nlopt_set_xtol_rel(opt.get(), kRelativeTolerance);
    nlopt_set_maxeval(opt.get(), kMaxEvaluations);
    std::vector<double> trial(x, x + count);
    double value = 0.0;
    const nlopt_result result = nlopt_optimize(opt.get(), trial.data(), &value);
    if (result > 0 && value < objective(count, x, nullptr, data)) {
        std::copy(trial.begin(), trial.end(), x);
    }
}

// Stage one, per channel: the lightness of the closed form against that of
// the integrated channel, limited to [0, 1] where the map's values lie.
struct ChannelTarget {
    FitAngles cosines;
    std::array<double, kFitAngleCount> lightness{};
};

double ChannelError(unsigned /*count*/, const double* x, double* /*gradient*/, void* data) {
    const auto& target = *static_cast<const ChannelTarget*>(data);
    const float n = static_cast<float>(x[0]);
    const float k = static_cast<float>(x[1]);
    double sum = 0.0;
    for (std::size_t i = 0; i < target.cosines.size(); ++i) {
        const double d = Lightness(ConductorReflectance(n, k, target.cosines[i])) - target.lightness[i];
        sum += d * d;
    }
    return sum;
}

// The best point of a logarithmic grid over the map's range: the closed form
// often has two good (n, k) valleys, and the solver finds only the nearest.
std::array<double, 2> CoarseStart(ChannelTarget& target) {
    std::array<double, 2> best{1.0, 1.0};
    double bestError = std::numeric_limits<double>::infinity();
    const double ratio = std::pow(kLargestConstant / kGridSmallest, 1.0 / (kGridSteps - 1));
    for (int i = 0; i < kGridSteps; ++i) {
        for (int j = 0; j < kGridSteps; ++j) {
            const double x[2] = {kGridSmallest * std::pow(ratio, i), kGridSmallest * std::pow(ratio, j)};
            const double error = ChannelError(2, x, nullptr, &target);
            if (error < bestError) {
                bestError = error;
                best = {x[0], x[1]};
            }
        }
    }
    return best;
}

// The closed form depends on n and s = n² + k² only, and is the same for
// (n, s) and (n / s, 1 / s), that is for n + ik and 1 / (n - ik). Of each such
// pair, measured metals have the one with s >= 1.
void TakeMetallicTwin(double& n, double& k) {
    const double s = n * n + k * k;
    if (s > 0.0 && s < 1.0 && n / s <= kLargestConstant && k / s <= kLargestConstant) {
        n /= s;
        k /= s;
    }
}

void TakeMetallicTwins(std::array<double, 6>& x) {
    for (std::size_t c = 0; c < 3; ++c) {
        TakeMetallicTwin(x[c], x[c + 3]);
    }
}

std::array<double, 6> FitChannels(const std::array<LinearRgb, kFitAngleCount>& truth) {
    std::array<double, 6> x{};
    for (int c = 0; c < 3; ++c) {
        ChannelTarget target{FitCosines(), {}};
        for (std::size_t i = 0; i < truth.size(); ++i) {
            target.lightness[i] = Lightness(std::clamp(Channel(truth[i], c), 0.0, 1.0));
        }
        std::array<double, 2> nk = CoarseStart(target);
        MinimiseWithinMapRange(ChannelError, &target, nk.data(), 2);
        x[static_cast<std::size_t>(c)] = nk[0];
        x[static_cast<std::size_t>(c + 3)] = nk[1];
    }
    return x;
}

// Stage two, all six values together: the sum of squared ΔE2000 between the
// map's colour and the integrated colour. Where the colour lies outside the
// gamut no channel can match it alone, and the colour difference decides how
// the channels share the error.
struct ColourTarget {
    const RenderingSpace* space;
    FitAngles cosines;
    std::array<Lab, kFitAngleCount> lab{};
};

double ColourError(unsigned /*count*/, const double* x, double* /*gradient*/, void* data) {
    const auto& target = *static_cast<const ColourTarget*>(data);
    const OpticalConstants constants = ToFloats(x);
    double sum = 0.0;
    for (std::size_t i = 0; i < target.cosines.size(); ++i) {
        const Rgba m = ConductorReflectanceRGB(target.cosines[i], constants);
        const double d = DeltaE2000(target.space->LabOf({m.r, m.g, m.b}), target.lab[i]);
        sum += d * d;
    }
    return sum;
}

void RefineColour(const RenderingSpace& space, const std::array<LinearRgb, kFitAngleCount>& truth,
                  std::array<double, 6>& x) {
    ColourTarget target{&space, FitCosines(), {}};
    for (std::size_t i = 0; i < truth.size(); ++i) {
        target.lab[i] = space.LabOf(truth[i]);
    }
    MinimiseWithinMapRange(ColourError, &target, x.data(), 6);
}

LinearRgb MapColour(const OpticalConstants& constants, double degrees) {
    const double radians = Radians(degrees);
    const Vec3 normal{0.0f, 0.0f, 1.0f};
    const Vec3 view{0.0f, static_cast<float>(std::sin(radians)), static_cast<float>(-std::cos(radians))};
    const Rgba c = ShadeSample(normal, view, constants, 0.0f, 0.0f, 1.0f);
    return {c.r, c.g, c.b};
}

double DeltaEAt(const SpectralColour& truth, const OpticalConstants& constants, double degrees) {
    return truth.Space().DeltaE2000(MapColour(constants, degrees), truth.AtViewAngle(degrees));
}

}  // namespace

OpticalConstants FitConstants(const SpectralColour& truth) {
    std::array<LinearRgb, kFitAngleCount> colours;
    for (int i = 0; i < kFitAngleCount; ++i) {
        colours[static_cast<std::size_t>(i)] = truth.AtViewAngle(i);
    }
    std::array<double, 6> x = FitChannels(colours);
    TakeMetallicTwins(x);
    RefineColour(truth.Space(), colours, x);
    TakeMetallicTwins(x);
    return ToFloats(x.data());
}

FitReport JudgeFit(const SpectralColour& truth, const OpticalConstants& sampled, const OpticalConstants& fitted) {
    FitReport report{sampled, fitted, {}};
    for (double degrees : kReportAngles) {
        const LinearRgb rgb = truth.AtViewAngle(degrees);
        report.angles.push_back({degrees, rgb, RenderingSpace::InGamut(rgb), DeltaEAt(truth, sampled, degrees),
                                 DeltaEAt(truth, fitted, degrees)});
    }
    return report;
}

double FitReport::Largest(double AngleJudgement::*deltaE) const {
    double largest = 0.0;
    for (const AngleJudgement& a : angles) {
        largest = std::max(largest, a.*deltaE);
    }
    return largest;
}

bool FitReport::MeetsGoal() const {
    return std::all_of(angles.begin(), angles.end(),
                       [](const AngleJudgement& a) { return !a.inGamut || a.fittedDeltaE <= kFitGoal; });
}

FitReport FitMeasured(const nkdata::NkData& data, const SpectralColour& truth) {
    return JudgeFit(truth, ThreeWavelengthConstants(data), FitConstants(truth));
}

}  // namespace aurivel::metal_colour
