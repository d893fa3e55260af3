// The host's parameter maps: a rollout page bound to a parameter block. The
// controls are driven through the Win32 API only, so the same code runs
// against the real dialog manager on Windows and the shim's on Linux.
#include <algorithm>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "standin/unimplemented.h"
#include "iparamm2.h"
#include "param_kinds.h"
#include "max.h"
#include "standin/texout_dialog.h"

namespace {

class ParamMap2;

// Every open parameter map, in the order of opening; touched only from the
// user-interface thread, as the host's own list is.
std::vector<ParamMap2*>& OpenMaps() {
    static std::vector<ParamMap2*> maps;
    return maps;
}

bool HeldByOpenMap(const ParamMap2UserDlgProc* proc, const ParamMap2* except);

std::wstring LoadText(HINSTANCE module, StringResID id) {
    WCHAR buffer[256] = {};
    return id > 0 && LoadStringW(module, static_cast<UINT>(id), buffer, 256) ? std::wstring(buffer) : std::wstring();
}

std::wstring FormatFloat(float v) {
    WCHAR text[64];
    std::swprintf(text, 64, L"%g", static_cast<double>(v));
    return text;
}

class ParamMap2 final : public standin::Unimplemented<IParamMap2> {
public:
    ParamMap2(ParamBlockDesc2* desc, IParamBlock2* block, IMtlParams* imp, MapID mapId)
        : desc(desc), block(block), imp(imp), mapId(mapId) {
        OpenMaps().push_back(this);
        if (desc->dlgProc && !HeldByOpenMap(desc->dlgProc, this)) userProc = desc->dlgProc;
        const HINSTANCE module = desc->cd->HInstance();
        const std::wstring title = LoadText(module, desc->title);
        hwnd = imp->AddRollupPage(module, MAKEINTRESOURCEW(desc->dlg_template), DialogProc, title.c_str(),
                                  reinterpret_cast<LPARAM>(this));
        if (block) block->SetMap(this, mapId);
    }

    ~ParamMap2() override {
        if (block && block->GetMap(mapId) == this) block->SetMap(nullptr, mapId);
        ReleaseUserProc();
        OpenMaps().erase(std::find(OpenMaps().begin(), OpenMaps().end(), this));
        if (hwnd) imp->DeleteRollupPage(hwnd);
    }

    void Enable(ParamID id, BOOL onOff, int /*tabIndex*/) override {
        if (const ParamDef* def = Find(id)) {
            for (int ctrl : def->standinControls->ids) EnableWindow(GetDlgItem(hwnd, ctrl), onOff);
        }
    }

    void Invalidate(ParamID id, int /*tabIndex*/) override {
        if (const ParamDef* def = Find(id)) ShowValue(*def);
    }

    void Invalidate() override {
        for (const ParamDef& def : standin::DefsOf(*desc)) ShowValue(def);
    }

    HWND GetHWnd() override { return hwnd; }
    MapID GetMapID() override { return mapId; }
    IParamBlock2* GetParamBlock() override { return block; }
    ParamBlockDesc2* GetDesc() override { return desc; }
    ParamMap2UserDlgProc* GetUserDlgProc() override { return userProc; }

    using Unimplemented::SetParamBlock;
    void SetParamBlock(IParamBlock2* pb) override {
        if (block && block->GetMap(mapId) == this) block->SetMap(nullptr, mapId);
        block = pb;
        if (block) block->SetMap(this, mapId);
        Invalidate();
    }

    void SetUserDlgProc(ParamMap2UserDlgProc* proc) override {
        if (proc == userProc) return;
        ReleaseUserProc();
        userProc = proc;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
            auto* map = reinterpret_cast<ParamMap2*>(lParam);
            map->hwnd = hWnd;
            map->InitControls();
        }
        auto* map = reinterpret_cast<ParamMap2*>(GetWindowLongPtrW(hWnd, DWLP_USER));
        return map ? map->HandleMessage(hWnd, msg, wParam, lParam) : FALSE;
    }

    INT_PTR HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE)
            OnComboChoice(LOWORD(wParam));
        else if (msg == CC_SPINNER_CHANGE)
            OnSpinnerChange(LOWORD(wParam));
        if (msg == WM_INITDIALOG || !userProc) return msg == WM_INITDIALOG ? TRUE : FALSE;
        return userProc->DlgProc(imp->GetTime(), this, hWnd, msg, wParam, lParam);
    }

    void InitControls() {
        const HINSTANCE module = desc->cd->HInstance();
        for (const ParamDef& def : standin::DefsOf(*desc)) {
            if (def.ctrl_type != TYPE_INT_COMBOBOX || def.standinControls->ids.empty()) continue;
            const HWND combo = GetDlgItem(hwnd, def.standinControls->ids[0]);
            SendMessageW(combo, CB_RESETCONTENT, 0, 0);
            for (size_t i = 0; i < def.standinControls->items.size(); ++i) {
                const std::wstring text = LoadText(module, def.standinControls->items[i]);
                const LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
                SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), ItemValue(def, i));
            }
        }
        Invalidate();
    }

    static int ItemValue(const ParamDef& def, size_t item) {
        return item < def.standinControls->itemValues.size() ? def.standinControls->itemValues[item]
                                                             : static_cast<int>(item);
    }

    const ParamDef* Find(ParamID id) const {
        for (const ParamDef& def : standin::DefsOf(*desc)) {
            if (def.ID == id) return &def;
        }
        return nullptr;
    }

    const ParamDef* FindByControl(int ctrl) const {
        for (const ParamDef& def : standin::DefsOf(*desc)) {
            if (std::find(def.standinControls->ids.begin(), def.standinControls->ids.end(), ctrl) !=
                def.standinControls->ids.end())
                return &def;
        }
        return nullptr;
    }

    void ShowValue(const ParamDef& def) {
        if (!block || !hwnd || def.standinControls->ids.empty()) return;
        const TimeValue t = imp->GetTime();
        Interval valid = FOREVER;
        if (def.ctrl_type == TYPE_INT_COMBOBOX) {
            int value = 0;
            block->GetValue(def.ID, t, value, valid);
            const HWND combo = GetDlgItem(hwnd, def.standinControls->ids[0]);
            const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
            LRESULT selected = CB_ERR;
            for (LRESULT i = 0; i < count; ++i) {
                if (SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == value) selected = i;
            }
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        } else if (static_cast<int>(def.ctrl_type) == TYPE_SPINNER) {
            float value = 0.0f;
            block->GetValue(def.ID, t, value, valid);
            SetWindowTextW(GetDlgItem(hwnd, def.standinControls->ids[0]), FormatFloat(value).c_str());
        }
        for (int ctrl : def.standinControls->ids) InvalidateRect(GetDlgItem(hwnd, ctrl), nullptr, TRUE);
    }

    void OnComboChoice(int ctrl) {
        const ParamDef* def = FindByControl(ctrl);
        if (!def || !block || def->ctrl_type != TYPE_INT_COMBOBOX) return;
        const HWND combo = GetDlgItem(hwnd, ctrl);
        const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (selected == CB_ERR) return;
        const LRESULT value = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
        block->SetValue(def->ID, imp->GetTime(), static_cast<int>(value));
    }

    // The spinner's value is what its edit field shows, limited to the
    // parameter's declared range as the host's spinners are.
    void OnSpinnerChange(int ctrl) {
        const ParamDef* def = FindByControl(ctrl);
        if (!def || !block || static_cast<int>(def->ctrl_type) != TYPE_SPINNER) return;
        WCHAR text[64] = {};
        GetWindowTextW(GetDlgItem(hwnd, def->standinControls->ids[0]), text, 64);
        WCHAR* end = nullptr;
        float value = std::wcstof(text, &end);
        if (end == text) return;
        if (def->standinHasRange) value = std::min(std::max(value, def->range_low.f), def->range_high.f);
        block->SetValue(def->ID, imp->GetTime(), value);
    }

    void ReleaseUserProc() {
        ParamMap2UserDlgProc* proc = userProc;
        userProc = nullptr;
        if (!proc || HeldByOpenMap(proc, this)) return;
        if (desc->dlgProc == proc) desc->dlgProc = nullptr;
        proc->DeleteThis();
    }

    ParamBlockDesc2* desc;
    IParamBlock2* block;
    IMtlParams* imp;
    MapID mapId;
    HWND hwnd = nullptr;
    ParamMap2UserDlgProc* userProc = nullptr;
};

bool HeldByOpenMap(const ParamMap2UserDlgProc* proc, const ParamMap2* except) {
    for (ParamMap2* map : OpenMaps()) {
        if (map != except && map->GetUserDlgProc() == proc) return true;
    }
    return false;
}

// The material editor's master dialog of one object: its parameter maps and
// the dialogs of its sub-objects that were added to it.
class AutoMParamDlg final : public standin::Unimplemented<IAutoMParamDlg> {
public:
    AutoMParamDlg(ReferenceTarget* thing, std::vector<ParamMap2*> maps) : thing(thing), maps(std::move(maps)) {}

    Class_ID ClassID() override { return thing->ClassID(); }
    ReferenceTarget* GetThing() override { return thing; }

    // The blocks are rebound before the user procedures hear of the new
    // object, so that they find its rollout.
    void SetThing(ReferenceTarget* m) override {
        thing = m;
        auto* mtl = static_cast<MtlBase*>(m);
        for (ParamMap2* map : maps) map->SetParamBlock(mtl->GetParamBlockByID(map->GetDesc()->ID));
        for (ParamMap2* map : maps) {
            if (ParamMap2UserDlgProc* proc = map->GetUserDlgProc()) proc->SetThing(m);
        }
        for (ParamDlg* dlg : subDlgs) mtl->SetDlgThing(dlg);
    }

    void SetTime(TimeValue t) override {
        for (ParamMap2* map : maps) map->Invalidate();
        for (ParamDlg* dlg : subDlgs) dlg->SetTime(t);
    }

    void ReloadDialog() override {
        for (ParamMap2* map : maps) map->Invalidate();
        for (ParamDlg* dlg : subDlgs) dlg->ReloadDialog();
    }

    void DeleteThis() override {
        for (ParamMap2* map : maps) delete map;
        for (ParamDlg* dlg : subDlgs) dlg->DeleteThis();
        delete this;
    }

    void ActivateDlg(BOOL /*onOff*/) override {}

    int NumDlgs() override { return static_cast<int>(subDlgs.size()); }
    void AddDlg(ParamDlg* dlg) override { subDlgs.push_back(dlg); }
    ParamDlg* GetDlg(int i) override { return subDlgs[static_cast<size_t>(i)]; }
    // The first map: the block's own rollout.
    IParamMap2* GetMap() override { return maps.empty() ? nullptr : maps.front(); }

private:
    ReferenceTarget* thing;
    std::vector<ParamMap2*> maps;
    std::vector<ParamDlg*> subDlgs;
};

}  // namespace

void ParamBlockDesc2::SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc) {
    dlgProc = proc;
    // The rollout opened last is the one being set up.
    for (auto it = OpenMaps().rbegin(); it != OpenMaps().rend(); ++it) {
        if ((*it)->GetDesc() == this && (*it)->GetMapID() == map_id) {
            (*it)->SetUserDlgProc(proc);
            return;
        }
    }
}

ParamMap2UserDlgProc* ParamBlockDesc2::GetUserDlgProc(MapID /*map_id*/) { return dlgProc; }

IAutoMParamDlg* ClassDesc2::CreateParamDlgs(HWND /*hwMtlEdit*/, IMtlParams* imp, ReferenceTarget* obj) {
    std::vector<ParamMap2*> maps;
    try {
        maps.reserve(static_cast<size_t>(NumParamBlockDescs()));
        for (int i = 0; i < NumParamBlockDescs(); ++i) {
            ParamBlockDesc2* desc = GetParamBlockDesc(i);
            if (desc->flags & P_AUTO_UI) maps.push_back(new ParamMap2(desc, obj->GetParamBlockByID(desc->ID), imp, 0));
        }
        return new AutoMParamDlg(obj, std::move(maps));
    } catch (const std::bad_alloc&) {
        // Short of memory, the editor opens no dialog rather than part of one.
        for (ParamMap2* map : maps) delete map;
        return nullptr;
    }
}

void ClassDesc2::InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex) {
    for (ParamMap2* map : OpenMaps()) {
        if (map->GetDesc() == pbd) map->Invalidate(id, tabIndex);
    }
}

bool ClassDesc2::SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id, ParamMap2UserDlgProc* proc) {
    pbd->SetUserDlgProc(map_id, proc);
    return true;
}
