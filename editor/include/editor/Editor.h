// The map's editor in the host's material editor: its rollouts, and the
// output object's rollout handed on to each map that the editor shows.
#pragma once

#include "max.h"
#include "imtl.h"

namespace aurivel {

// The map's dialog: the page of `map`'s parameter block with the rollout's
// dialog procedure, and `texout`'s rollout after it, which the dialog holds.
// Null when the host could not make the dialog.
ParamDlg* OpenEditor(HWND hwMtlEdit, IMtlParams* imp, MtlBase* map, TextureOutput* texout);

// Shows `texout` in `dlg`, one of the dialogs that an editor's dialog holds,
// if `dlg` is an output object's rollout; returns whether it is. The editor
// asks each map that it shows so: what it holds is its own, whatever other
// editors are open.
BOOL ShowOutputIn(ParamDlg* dlg, TextureOutput* texout);

}  // namespace aurivel
