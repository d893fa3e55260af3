#include "plugin/AurivelClassDesc.h"

#include "plugin/HostHeap.h"
#include "plugin/Plugin.h"
#include "map/Aurivel.h"
#include "resource.h"

int AurivelClassDesc::IsPublic() { return TRUE; }

void* AurivelClassDesc::Create(BOOL /*loading*/) { return NewOnHostHeap<Aurivel>(); }

const TCHAR* AurivelClassDesc::ClassName() { return GetString(IDS_CLASS_NAME); }

const TCHAR* AurivelClassDesc::NonLocalizedClassName() { return _T("Aurivel"); }

SClass_ID AurivelClassDesc::SuperClassID() { return TEXMAP_CLASS_ID; }

Class_ID AurivelClassDesc::ClassID() { return AURIVEL_CLASS_ID; }

const TCHAR* AurivelClassDesc::Category() { return GetString(IDS_CATEGORY); }

const TCHAR* AurivelClassDesc::InternalName() { return _T("Aurivel"); }

HINSTANCE AurivelClassDesc::HInstance() { return hInstance; }

ClassDesc2* GetAurivelDesc() {
    // A function-local static: constructed once even when several threads ask
    // first, and destroyed at unload after everything constructed later.
    static AurivelClassDesc desc;
    return &desc;
}
