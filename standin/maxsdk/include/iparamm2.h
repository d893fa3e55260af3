// Parameter maps: the binding of a parameter block to a rollout page, the
// plug-in's user dialog procedure, and the material editor's master dialog.
#pragma once

#include "iparamb2.h"
#include "imtl.h"

// Sent by a spinner to its dialog when the user changes its value; the value
// is read from the spinner's edit field.
#define CC_SPINNER_CHANGE (WM_USER + 600)

class ParamMap2UserDlgProc : public MaxHeapOperators {
public:
    virtual ~ParamMap2UserDlgProc() {}
    virtual INT_PTR DlgProc(TimeValue t, IParamMap2* map, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual void DeleteThis() = 0;
    virtual void SetThing(ReferenceTarget* /*m*/) {}
    virtual void Update(TimeValue /*t*/) {}
    virtual void Update(TimeValue t, Interval& /*valid*/, IParamMap2* /*pmap*/) { this->Update(t); }
    virtual void SetParamBlock(IParamBlock2* /*pb*/) {}
};

class IParamMap2 : public InterfaceServer {
public:
    virtual void Invalidate() = 0;
    virtual void Invalidate(ParamID id, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamMap2_2
    virtual void SetParamBlock(IParamBlock2* pb) = 0;
    STANDIN_SLOTS_IParamMap2_3
    virtual MapID GetMapID() = 0;
    virtual void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) = 0;
    virtual ParamMap2UserDlgProc* GetUserDlgProc() = 0;
    STANDIN_SLOTS_IParamMap2_6
    virtual HWND GetHWnd() = 0;
    STANDIN_SLOTS_IParamMap2_7
    virtual IParamBlock2* GetParamBlock() = 0;
    STANDIN_SLOTS_IParamMap2_8
    virtual ParamBlockDesc2* GetDesc() = 0;
    STANDIN_SLOTS_IParamMap2_9
    virtual void Enable(ParamID id, BOOL onOff, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamMap2_10
};

class IAutoMParamDlg : public ParamDlg {
public:
    STANDIN_SLOTS_IAutoMParamDlg_0
    virtual int NumDlgs() = 0;
    virtual void AddDlg(ParamDlg* dlg) = 0;
    virtual ParamDlg* GetDlg(int i) = 0;
    STANDIN_SLOTS_IAutoMParamDlg_3
    virtual IParamMap2* GetMap() = 0;
};
