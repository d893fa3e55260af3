// --atlas: measured metals of the database, fitted for both rendering spaces
// and written to a folder as a web page (index.html) with its data
// (metals.json), each metal's spheres and curves (pictures/), and MAXScript
// that makes their maps (metals.ms).
#pragma once

#include <ostream>

#include "cli/options.h"
#include "host/host.h"

namespace aurivel::preview {

// The pages of --nk, or of the book of --nk-list, or else the ten preset
// metals' and the metal library's. A page that gives no colour is listed with
// the reason. Says on out what it wrote; throws ToolError when a file cannot
// be written.
void WriteAtlas(const PreviewModule& module, const Options& options, std::ostream& out, std::ostream* progressOut);

}  // namespace aurivel::preview
