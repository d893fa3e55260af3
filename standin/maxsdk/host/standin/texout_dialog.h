// The rollout of the host's default texture output, built by the editor.
#pragma once

#include <windows.h>

#include "coreexp.h"
#include "imtl.h"

namespace standin {

CoreExport ParamDlg* CreateTextureOutputDlg(TextureOutput* texout, HWND hwMtlEdit, IMtlParams* imp);

}  // namespace standin
