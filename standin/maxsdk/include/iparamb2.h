// Parameter blocks: the declaration of a block (ParamBlockDesc2, read from a
// tag list), the block itself (IParamBlock2) and the class descriptor that
// owns the declarations (ClassDesc2).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <windows.h>

#include "PB2Export.h"
#include "baseinterface.h"
#include "matrix3.h"
#include "point2.h"
#include "point4.h"
#include "interval.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "ref.h"
#include "strbasic.h"
#include "strclass.h"

class ClassDesc2;
class IParamMap2;
class IAutoMParamDlg;
class ParamMap2UserDlgProc;
class IMtlParams;

enum ParamType { TYPE_FLOAT, TYPE_INT, TYPE_RGBA, TYPE_POINT3, TYPE_BOOL };

enum ParamType2 {
    TYPE_ANGLE = TYPE_BOOL + 1,
    TYPE_PCNT_FRAC,
    TYPE_WORLD,
    TYPE_STRING,
    TYPE_FILENAME,
    TYPE_HSV,
    TYPE_COLOR_CHANNEL,
    TYPE_TIMEVALUE,
    TYPE_RADIOBTN_INDEX,
    TYPE_MTL,
    TYPE_TEXMAP,
    TYPE_BITMAP,
    TYPE_INODE,
    TYPE_REFTARG
};

enum ControlType { TYPE_SPINNER, TYPE_RADIO, TYPE_SINGLECHEKBOX, TYPE_MULTICHEKBOX, TYPE_COLORSWATCH };

// With an underlying type, so that -1 can stand for "no control".
enum ControlType2 : int {
    TYPE_EDITBOX = TYPE_COLORSWATCH + 1,
    TYPE_CHECKBUTTON,
    TYPE_PICKNODEBUTTON,
    TYPE_TEXMAPBUTTON,
    TYPE_MTLBUTTON,
    TYPE_BITMAPBUTTON,
    TYPE_FILEOPENBUTTON,
    TYPE_FILESAVEBUTTON,
    TYPE_INTLISTBOX,
    TYPE_FLOATLISTBOX,
    TYPE_STRINGLISTBOX,
    TYPE_NODELISTBOX = 16,
    TYPE_SLIDER = 17,
    TYPE_INT_COMBOBOX = 23
};

enum EditSpinnerType {
    EDITTYPE_INT,
    EDITTYPE_FLOAT,
    EDITTYPE_UNIVERSE,
    EDITTYPE_POS_INT,
    EDITTYPE_POS_FLOAT,
    EDITTYPE_POS_UNIVERSE,
    EDITTYPE_TIME
};

enum ParamTags {
    p_default = -(1 << 30),
    p_ms_default,
    p_range,
    p_ui,
    p_validator,
    p_accessor,
    p_vals,
    p_refno,
    p_subtexno,
    p_submtlno,
    p_dim,
    p_classID,
    p_sclassID,
    p_enabled,
    p_enable_ctrls,
    p_prompt,
    p_caption,
    p_init_file,
    p_file_types,
    p_ctrl_ids,
    p_uix,
    p_configurable_default,
    p_tooltip,
    p_assetTypeID,
    p_assetTypeName,
    p_defaults_and_ranges_in_meters,
    p_nonLocalizedName,
    p_end = p_default + 1024
};

// Block flags.
#define P_CLASS_PARAMS 0x0001
#define P_AUTO_CONSTRUCT 0x0002
#define P_AUTO_UI 0x0004
#define P_USE_PARAMS 0x0008
#define P_INCLUDE_PARAMS 0x0010
#define P_MULTIMAP 0x0020

// Parameter flags.
#define P_ANIMATABLE 0x00000001
#define P_TRANSIENT 0x00000002
#define P_RESET_DEFAULT 0x00000020
#define P_OWNERS_REF 0x00000200
#define P_READ_ONLY 0x00008000

struct PB2Value {
    union {
        int i;
        float f;
        ReferenceTarget* r;
    };
    BYTE flags;
};

namespace MaxSDK {
namespace AssetManagement {
// A reference to an asset (a file the scene uses).
class AssetUser {
public:
    void* reservedId = nullptr;
};
}  // namespace AssetManagement
}  // namespace MaxSDK

// Orders two parameter values of a table, as qsort does.
typedef int (*CompareFnc)(const void* elem1, const void* elem2);

class ParamDimension;
class PBValidator;
class PBAccessor;
class MSPluginClass;
class Rollout;
class IAutoEParamDlg;
class IAutoRendererParamDlg;

// One parameter as its declaration describes it.
struct ParamDef : public MaxHeapOperators {
    // What the stand-in keeps of a declaration beyond the host's own
    // fields: the controls' ids, and a combo box's items and their values.
    struct StandinControls {
        std::vector<int> ids;  // spinner: edit then spinner; others: the one control
        std::vector<StringResID> items;
        std::vector<int> itemValues;
    };

    DWORD size = sizeof(ParamDef);
    ParamID ID = -1;
    const MCHAR* int_name = nullptr;
    const MCHAR* nonLocalized_name = nullptr;
    ParamType2 type = static_cast<ParamType2>(TYPE_FLOAT);
    ULONGLONG flags = 0;
    StringResID local_name = 0;
    ParamDimension* dim = nullptr;
    PB2Value def{};
    PB2Value ms_def{};
    PB2Value cur_def{};
    bool standinHasDefault = false;
    bool standinHasRange = false;
    PB2Value range_low{};
    PB2Value range_high{};
    PBValidator* validator = nullptr;
    PBAccessor* accessor = nullptr;
    short tab_size = 0;
    short ref_no = -1;  // owner's reference number (P_OWNERS_REF)
    short subobj_no = -1;
    Class_ID class_ID;
    SClass_ID sclass_ID = 0;
    ControlType2 ctrl_type = static_cast<ControlType2>(-1);  // -1 without p_ui
    EditSpinnerType spin_type = EDITTYPE_FLOAT;
    int* ctrl_IDs = nullptr;
    short ctrl_count = 0;
    union {
        StandinControls* standinControls = nullptr;
    };
    float scale = 0.0f;
    int numSegs = 0;
    ParamID* enable_ctrls = nullptr;
    short enable_count = 0;
    int prompt = 0;
    int caption = 0;
    int toolTip = 0;
    const MCHAR* init_file = nullptr;
    int file_types = 0;
    BYTE reservedMaps[16] = {};
    const MCHAR* dyn_file_types = nullptr;
    BYTE reservedAssetAndColour[8] = {};
};

class ParamBlockDesc2 : public BaseInterfaceServer, public MaxSDK::Util::Noncopyable {
public:
    // Reads the tag list that follows `flags`; any malformed list stops the
    // program with a message naming the block and the parameter. Registers
    // the declaration with cd.
    PB2Export ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, ClassDesc2* cd, USHORT flags,
                              ...);
    PB2Export ~ParamBlockDesc2() override;

    USHORT Count() { return count; }
    PB2Export int IDtoIndex(ParamID id);  // -1 when no parameter has the ID
    // -1 outside 0..Count()-1
    ParamID IndextoID(int i) { return i >= 0 && i < Count() ? paramdefs[i].ID : ParamID(-1); }
    // The ID must be one of the block's.
    ParamDef& GetParamDef(ParamID id) { return paramdefs[IDtoIndex(id)]; }

    PB2Export void SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    PB2Export ParamMap2UserDlgProc* GetUserDlgProc(MapID map_id = 0);

    ParamDef* paramdefs = nullptr;
    ClassDesc2* cd;
    MSTR int_name;
    StringResID local_name;
    BlockID ID;
    USHORT count = 0;
    ULONG version = 0;
    USHORT flags;
    int ref_no = -1;
    int dlg_template = 0;
    int title = 0;
    int test_flags = 0;
    int rollup_flags = 0;
    ParamMap2UserDlgProc* dlgProc = nullptr;
    int category = 0;

private:
    BYTE reservedMapSpecs[16] = {};

public:
    MSPluginClass* pc = nullptr;
    Rollout* rollout = nullptr;
    IParamBlock2* class_params = nullptr;

private:
    friend class StandinTagReader;
    // The declarations themselves, which paramdefs points into.
    class ParamBlockDesc2ImplData;
    std::unique_ptr<ParamBlockDesc2ImplData> mParamBlockDesc2ImplData;
};

class IParamBlock2 : public ReferenceTarget {
public:

    STANDIN_SLOTS_IParamBlock2_0
    virtual int NumParams() = 0;
    STANDIN_SLOTS_IParamBlock2_1
    virtual ParamDef& GetParamDef(ParamID id) = 0;
    virtual BlockID ID() = 0;
    virtual ReferenceMaker* GetOwner() = 0;
    virtual ParamBlockDesc2* GetDesc() = 0;
    STANDIN_SLOTS_IParamBlock2_5
    virtual int IDtoIndex(ParamID id) = 0;
    virtual ParamID IndextoID(int i) = 0;
    STANDIN_SLOTS_IParamBlock2_7

    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_9
    virtual BOOL SetValue(ParamID id, TimeValue t, ReferenceTarget* v, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_10
    // GetValue writes the value at t and narrows ivalid to the span over
    // which it holds; FALSE for an unknown ID or a value of another kind.
    virtual BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& ivalid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& ivalid, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_12
    virtual BOOL GetValue(ParamID id, TimeValue t, ReferenceTarget*& v, Interval& ivalid, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_13
    virtual int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_15
    virtual ReferenceTarget* GetReferenceTarget(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_16

    // The parameter whose change is being notified (-1 for a whole reset).
    virtual ParamID LastNotifyParamID() = 0;
    STANDIN_SLOTS_IParamBlock2_17
    virtual void SetMap(IParamMap2* m, MapID map_id = 0) = 0;
    virtual IParamMap2* GetMap(MapID map_id = 0) = 0;
    STANDIN_SLOTS_IParamBlock2_19

    // Every parameter back to its declared default, keys removed.
    virtual void ResetAll(BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE) = 0;
    STANDIN_SLOTS_IParamBlock2_20

    // A block has a RefDeleted of its own, for a parameter; declared after
    // it, as the Microsoft ABI gives one place to all functions of a name.
    using ReferenceTarget::RefDeleted;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_IParamBlock2
};

// A new block of the given declaration, owned by iowner (which still has to
// make it one of its references).
PB2Export IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* pdesc, ReferenceMaker* iowner);

class ClassDesc2 : public ClassDesc {
public:
    PB2Export ClassDesc2();
    PB2Export ~ClassDesc2() override;

    PB2Export int NumParamBlockDescs() override;
    PB2Export ParamBlockDesc2* GetParamBlockDesc(int i) override;
    PB2Export ParamBlockDesc2* GetParamBlockDescByID(BlockID id) override;
    PB2Export void AddParamBlockDesc(ParamBlockDesc2* pbd) override;
    // Host side: a declaration that goes away before its descriptor.
    PB2Export void RemoveParamBlockDesc(ParamBlockDesc2* pbd);

    // A block for every P_AUTO_CONSTRUCT declaration, installed as the
    // owner's reference ref_no.
    PB2Export void MakeAutoParamBlocks(ReferenceMaker* owner) override;
    // Every parameter of the owner's automatic blocks to its declared
    // default; each block then sends one change with LastNotifyParamID -1.
    PB2Export void Reset(ReferenceMaker* owner, BOOL updateUI = TRUE, BOOL callSetHandlers = TRUE);

    PB2Export IAutoMParamDlg* CreateParamDlgs(HWND hwMtlEdit, IMtlParams* imp, ReferenceTarget* obj);
    PB2Export void InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex = -1);
    PB2Export bool SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) override {
        return SetUserDlgProc(pbd, 0, proc);
    }
    STANDIN_SLOTS_ClassDesc2_0

protected:
    Tab<ParamBlockDesc2*> pbDescs;
    Tab<IParamMap2*> paramMaps;
    IAutoMParamDlg* mainMDlg = nullptr;
    IAutoEParamDlg* mainEDlg = nullptr;
    IAutoRendererParamDlg* mainRDlg = nullptr;

    // The functions of its bases that it overrides.
    STANDIN_OVERRIDES_ClassDesc2
};
