// What the spectral fit brings to the tool: constants for measured n and k
// chosen as the options say and reported, the spectral truth and the lit
// studio as shaders, curves for the plot, and MAXScript for the host.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "metal_colour/fit.h"
#include "render/image.h"
#include "render/plot.h"
#include "render/render.h"

namespace aurivel::preview {

// The rendering space that --rendering-space names.
metal_colour::RenderingSpaceId ChosenSpaceId(const Options& options);
metal_colour::RenderingSpace ChosenSpace(const Options& options, const metal_colour::Observer& observer);

// How measured data become the map's constants: as --fit says, by default
// fitted when the data cover the visible range.
FitMethod ChosenFitMethod(const nkdata::NkData& data, const Options& options);

// The map's constants for measured data: fitted or sampled at the channel
// wavelengths as --fit says (by default fitted when the data cover
// the visible range). Prints the sampled values with the data's references and,
// for a fit, the fitted values with their ΔE2000 table.
OpticalConstants MeasuredConstants(const nkdata::NkData& data, const Options& options,
                                   const metal_colour::Observer& observer, std::ostream& out);

// What a plot of the map made from measured data is titled with: the data
// (a database page, or a file's name) and how the map's values were chosen,
// naming the rendering space of a fit.
std::string MeasuredMapName(const nkdata::NkData& data, const Options& options);

void PrintFitReport(const metal_colour::FitReport& report, const metal_colour::RenderingSpace& space, std::ostream& out);

// Each sample coloured by the integrated reflectance at its view angle.
ShaderFactory SpectralShaders(const metal_colour::SpectralColour& truth);

// A photographer's studio seen in a mirror direction (+y up, +z towards
// the viewer), in linear light: a grey floor, a lighter backdrop and soft
// boxes brighter than white.
Rgb StudioLight(const Vec3& direction);

// The inner shader's colour as the colour of a mirror reflecting the studio.
ShaderFactory LitShaders(ShaderFactory inner);

// Linear values of the rendering space as linear sRGB, for the picture.
void ShowInSrgb(Image& image, const metal_colour::RenderingSpace& space);

// Each channel's integrated reflectance at PlotAngles(count).
std::vector<PlotCurve> IntegratedCurves(const metal_colour::SpectralColour& truth, int count);

}  // namespace aurivel::preview
