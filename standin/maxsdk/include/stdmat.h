// The host's standard material components.
#pragma once

#include "coreexp.h"
#include "imtl.h"

// A new texture output with default settings: it passes colours through.
CoreExport TextureOutput* GetNewDefaultTextureOutput();
