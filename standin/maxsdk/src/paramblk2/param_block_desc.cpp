// Reading a block declaration's tag list. A mistake in a declaration would
// otherwise show only later as a wrong value or a crash far from its cause,
// so every malformed list stops the program here with a message naming the
// block and the parameter.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "iparamb2.h"
#include "param_kinds.h"
#include "standin/tag_source.h"

using standin::KindOf;
using standin::ValueKind;

#if defined(__GNUC__)
#define PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define PRINTF_LIKE(fmt, args)
#endif

class ParamBlockDesc2::ParamBlockDesc2ImplData {
public:
    std::vector<ParamDef> defs;
    std::vector<std::unique_ptr<ParamDef::StandinControls>> controls;
};

// Adds the declarations that the reader reads to a block's.
class StandinTagReader {
public:
    static void Add(ParamBlockDesc2& desc, ParamDef def, std::unique_ptr<ParamDef::StandinControls> controls) {
        ParamBlockDesc2::ParamBlockDesc2ImplData& impl = *desc.mParamBlockDesc2ImplData;
        def.ctrl_IDs = controls->ids.data();
        def.ctrl_count = static_cast<short>(controls->ids.size());
        impl.controls.push_back(std::move(controls));
        impl.defs.push_back(def);
        desc.paramdefs = impl.defs.data();
        desc.count = static_cast<USHORT>(impl.defs.size());
    }
};

namespace {

// Bounds of the walk, so that a list without its final p_end is caught
// before the reader wanders through unrelated memory for long.
constexpr size_t kMaxParams = 1000;
constexpr int kMaxTagsPerParam = 64;
constexpr int kMaxControlItems = 1000;

constexpr int kKnownBlockFlags = P_CLASS_PARAMS | P_AUTO_CONSTRUCT | P_AUTO_UI;
constexpr int kKnownParamFlags = P_ANIMATABLE | P_TRANSIENT | P_RESET_DEFAULT | P_OWNERS_REF | P_READ_ONLY;

const char* const kTagNames[] = {"p_default",
                                 "p_ms_default",
                                 "p_range",
                                 "p_ui",
                                 "p_validator",
                                 "p_accessor",
                                 "p_vals",
                                 "p_refno",
                                 "p_subtexno",
                                 "p_submtlno",
                                 "p_dim",
                                 "p_classID",
                                 "p_sclassID",
                                 "p_enabled",
                                 "p_enable_ctrls",
                                 "p_prompt",
                                 "p_caption",
                                 "p_init_file",
                                 "p_file_types",
                                 "p_ctrl_ids",
                                 "p_uix",
                                 "p_configurable_default",
                                 "p_tooltip",
                                 "p_assetTypeID",
                                 "p_assetTypeName",
                                 "p_defaults_and_ranges_in_meters",
                                 "p_nonLocalizedName"};
constexpr int kTagCount = static_cast<int>(sizeof(kTagNames) / sizeof(kTagNames[0]));

bool IsTag(int value) { return value >= p_default && value <= p_end; }

const char* TagName(int tag) {
    return tag >= p_default && tag < p_default + kTagCount ? kTagNames[tag - p_default] : "?";
}

const wchar_t* Printable(const MCHAR* s) { return s ? s : L"(null)"; }

class VaListTagSource final : public standin::TagSource {
public:
    explicit VaListTagSource(va_list& args) : args_(args) {}
    int NextInt() override { return va_arg(args_, int); }
    double NextDouble() override { return va_arg(args_, double); }
    const void* NextPointer() override { return va_arg(args_, const void*); }

private:
    va_list& args_;
};

class DeclarationReader {
public:
    DeclarationReader(ParamBlockDesc2& desc, standin::TagSource& tags) : desc_(desc), tags_(tags) {}

    void Read() {
        ReadBlockHeader();
        while (ReadParameter()) {
        }
    }

private:
    void ReadBlockHeader() {
        if (desc_.flags & ~kKnownBlockFlags)
            Fail(nullptr, "block flags 0x%x are not supported by this host", desc_.flags & ~kKnownBlockFlags);
        if (desc_.flags & P_AUTO_CONSTRUCT) {
            desc_.ref_no = tags_.NextInt();
            if (desc_.ref_no < 0 || desc_.ref_no > SHRT_MAX)
                Fail(nullptr, "P_AUTO_CONSTRUCT reference number %d is out of range", desc_.ref_no);
        }
        if (desc_.flags & P_AUTO_UI) {
            desc_.dlg_template = tags_.NextInt();
            desc_.title = tags_.NextInt();
            desc_.test_flags = tags_.NextInt();
            desc_.rollup_flags = tags_.NextInt();
            desc_.dlgProc = static_cast<ParamMap2UserDlgProc*>(const_cast<void*>(tags_.NextPointer()));
        }
    }

    // False at the final p_end.
    bool ReadParameter() {
        const int first = tags_.NextInt();
        if (first == p_end) return false;
        if (desc_.count == kMaxParams)
            Fail(nullptr, "more than %d parameters: is the final p_end missing?", static_cast<int>(kMaxParams));
        if (first < 0 || first > SHRT_MAX) Fail(nullptr, "expected a parameter ID or the final p_end, found %d", first);

        ParamDef def;
        auto controls = std::make_unique<ParamDef::StandinControls>();
        def.standinControls = controls.get();
        def.ID = static_cast<ParamID>(first);
        def.int_name = static_cast<const MCHAR*>(tags_.NextPointer());
        if (!def.int_name) Fail(&def, "the internal name is missing");
        if (desc_.IDtoIndex(def.ID) >= 0)
            Fail(&def, "the ID is already used by \"%ls\"",
                 Printable(desc_.paramdefs[desc_.IDtoIndex(def.ID)].int_name));
        const int type = tags_.NextInt();
        if (type < TYPE_FLOAT || type > TYPE_REFTARG) Fail(&def, "unknown parameter type %d", type);
        def.type = static_cast<ParamType2>(type);
        if (KindOf(type) == ValueKind::Unsupported) Fail(&def, "parameter type %d is not supported by this host", type);
        def.flags = tags_.NextInt();
        if (def.flags & ~kKnownParamFlags)
            Fail(&def, "unknown parameter flags 0x%llx",
                 static_cast<unsigned long long>(def.flags & ~kKnownParamFlags));
        def.local_name = tags_.NextInt();

        int previous = 0;
        for (int n = 0;; ++n) {
            if (n == kMaxTagsPerParam) Fail(&def, "more than %d tags: is its p_end missing?", kMaxTagsPerParam);
            const int tag = tags_.NextInt();
            if (tag == p_end) break;
            ReadTag(def, tag, previous);
            previous = tag;
        }
        CheckParameter(def);
        StandinTagReader::Add(desc_, def, std::move(controls));
        return true;
    }

    void ReadTag(ParamDef& def, int tag, int previous) {
        switch (tag) {
            case p_default:
                if (def.standinHasDefault) Fail(&def, "p_default is given twice");
                if (KindOf(def.type) == ValueKind::Reference)
                    Fail(&def, "p_default is not allowed on a reference parameter");
                def.def = ReadValue(def);
                def.standinHasDefault = true;
                break;
            case p_range:
                if (def.standinHasRange) Fail(&def, "p_range is given twice");
                if (KindOf(def.type) == ValueKind::Reference)
                    Fail(&def, "p_range is not allowed on a reference parameter");
                def.range_low = ReadValue(def);
                def.range_high = ReadValue(def);
                def.standinHasRange = true;
                if (Below(def, def.range_high, def.range_low)) Fail(&def, "p_range has its low end above its high end");
                break;
            case p_ui:
                if (static_cast<int>(def.ctrl_type) != -1) Fail(&def, "p_ui is given twice");
                ReadControl(def);
                break;
            case p_vals:
                ReadItemValues(def);
                break;
            case p_refno: {
                if (KindOf(def.type) != ValueKind::Reference)
                    Fail(&def, "p_refno on a parameter that holds no reference");
                const int refno = tags_.NextInt();
                if (refno < 0 || refno > SHRT_MAX) Fail(&def, "p_refno %d is out of range", refno);
                def.ref_no = static_cast<short>(refno);
                break;
            }
            default:
                if (IsTag(tag)) Fail(&def, "tag %s is not supported by this host", TagName(tag));
                if (previous == p_vals)
                    Fail(&def, "unknown tag %d: p_vals has more values than its combo box has items", tag);
                Fail(&def, "unknown tag %d (is a p_end missing?)", tag);
        }
    }

    PB2Value ReadValue(const ParamDef& def) {
        PB2Value v{};
        if (KindOf(def.type) == ValueKind::Float)
            v.f = static_cast<float>(tags_.NextDouble());
        else
            v.i = tags_.NextInt();
        return v;
    }

    static bool Below(const ParamDef& def, PB2Value a, PB2Value b) {
        return KindOf(def.type) == ValueKind::Float ? a.f < b.f : a.i < b.i;
    }

    void ReadControl(ParamDef& def) {
        if (KindOf(def.type) == ValueKind::Reference) Fail(&def, "a reference parameter has no control here");
        const int ctrl = tags_.NextInt();
        switch (ctrl) {
            case TYPE_SPINNER: {
                const int edit = tags_.NextInt();
                if (edit < EDITTYPE_INT || edit > EDITTYPE_TIME) Fail(&def, "unknown spinner edit type %d", edit);
                def.spin_type = static_cast<EditSpinnerType>(edit);
                def.standinControls->ids.push_back(tags_.NextInt());
                def.standinControls->ids.push_back(tags_.NextInt());
                def.scale = static_cast<float>(tags_.NextDouble());
                break;
            }
            case TYPE_INT_COMBOBOX: {
                if (KindOf(def.type) != ValueKind::Int)
                    Fail(&def, "TYPE_INT_COMBOBOX on a parameter that holds no integer");
                def.standinControls->ids.push_back(tags_.NextInt());
                const int count = tags_.NextInt();
                if (count < 1 || count > kMaxControlItems) Fail(&def, "combo box item count %d is out of range", count);
                for (int i = 0; i < count; ++i) def.standinControls->items.push_back(tags_.NextInt());
                break;
            }
            case TYPE_SINGLECHEKBOX:
                if (KindOf(def.type) != ValueKind::Int)
                    Fail(&def, "TYPE_SINGLECHEKBOX on a parameter that holds no integer");
                def.standinControls->ids.push_back(tags_.NextInt());
                break;
            default:
                Fail(&def, "control type %d is not supported by this host", ctrl);
        }
        def.ctrl_type = static_cast<ControlType2>(ctrl);
    }

    void ReadItemValues(ParamDef& def) {
        if (def.ctrl_type != TYPE_INT_COMBOBOX) Fail(&def, "p_vals needs a TYPE_INT_COMBOBOX p_ui before it");
        if (!def.standinControls->itemValues.empty()) Fail(&def, "p_vals is given twice");
        for (size_t i = 0; i < def.standinControls->items.size(); ++i) {
            const int value = tags_.NextInt();
            if (IsTag(value))
                Fail(&def, "p_vals has fewer values than its combo box has items (%d)",
                     static_cast<int>(def.standinControls->items.size()));
            def.standinControls->itemValues.push_back(value);
        }
    }

    void CheckParameter(ParamDef& def) {
        const bool isReference = KindOf(def.type) == ValueKind::Reference;
        if (isReference && (!(def.flags & P_OWNERS_REF) || def.ref_no < 0))
            Fail(&def, "a reference parameter needs P_OWNERS_REF and p_refno: blocks hold no references here");
        if (!isReference && (def.flags & P_OWNERS_REF))
            Fail(&def, "P_OWNERS_REF on a parameter that holds no reference");
        if (def.standinHasDefault && def.standinHasRange &&
            (Below(def, def.def, def.range_low) || Below(def, def.range_high, def.def)))
            Fail(&def, "p_default lies outside p_range");
        if (def.ctrl_type == TYPE_INT_COMBOBOX && def.standinControls->itemValues.empty()) {
            for (size_t i = 0; i < def.standinControls->items.size(); ++i)
                def.standinControls->itemValues.push_back(static_cast<int>(i));
        }
    }

    [[noreturn]] PRINTF_LIKE(3, 4) void Fail(const ParamDef* def, const char* format, ...) {
        std::fprintf(stderr, "ParamBlockDesc2 \"%ls\" (block %d)", Printable(desc_.int_name.data()), desc_.ID);
        if (def) std::fprintf(stderr, ", parameter %d \"%ls\"", def->ID, Printable(def->int_name));
        std::fprintf(stderr, ": ");
        va_list args;
        va_start(args, format);
        std::vfprintf(stderr, format, args);
        va_end(args);
        std::fprintf(stderr, "\n");
        std::fflush(stderr);
        std::abort();
    }

    ParamBlockDesc2& desc_;
    standin::TagSource& tags_;
};

}  // namespace

standin::TagSource::~TagSource() = default;

ParamBlockDesc2::ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name, ClassDesc2* cd,
                                 USHORT flags, ...)
    : cd(cd),
      int_name(int_name),
      local_name(local_name),
      ID(ID),
      flags(flags),
      mParamBlockDesc2ImplData(new ParamBlockDesc2ImplData) {
    va_list args;
    // The SDK's signature puts a promoted type (USHORT) before the ellipsis;
    // every supported ABI still finds the variable arguments after it.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wvarargs"
#endif
    va_start(args, flags);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
    VaListTagSource tags(args);
    standin::ReadTagList(*this, tags);
    va_end(args);
    if (cd) cd->AddParamBlockDesc(this);
}

ParamBlockDesc2::~ParamBlockDesc2() {
    if (cd) cd->RemoveParamBlockDesc(this);
}

void standin::ReadTagList(ParamBlockDesc2& desc, TagSource& tags) { DeclarationReader(desc, tags).Read(); }

int ParamBlockDesc2::IDtoIndex(ParamID id) {
    for (int i = 0; i < count; ++i) {
        if (paramdefs[i].ID == id) return i;
    }
    return -1;
}
