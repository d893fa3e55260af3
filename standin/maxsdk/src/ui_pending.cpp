// Temporary: the editor part replaces this with the output object's rollout.
#include "standin/texout_dialog.h"

namespace standin {

ParamDlg* CreateTextureOutputDlg(TextureOutput* /*texout*/, HWND /*hwMtlEdit*/, IMtlParams* /*imp*/) {
    return nullptr;
}

}  // namespace standin
