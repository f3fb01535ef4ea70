#pragma once
// The C interface of the shell library's context-menu extensions (\Windows\Aygshell.dll) and of
// the data object a program hands to them. The data object has the handheld's object layout: its
// first member points to a table of functions, each taking the object first, in the slot order of
// the data-object interface. Results are 32-bit status codes (0 = success).
#include <cstdint>
#include <string_view>

extern "C" {

struct ShellGuid {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

struct ShellFormatEtc {
    uint16_t cfFormat;  // a clipboard format: the device's registered number of its name
    void* ptd;          // target device: always null here
    uint32_t dwAspect;
    int32_t lindex;
    uint32_t tymed;
};

// hGlobal: a block from std::malloc; whoever receives it releases it with std::free.
struct ShellStgMedium {
    uint32_t tymed;
    void* hGlobal;
    void* pUnkForRelease;
};

struct ShellDataObject;
struct ShellDataObjectVtbl {
    int32_t (*QueryInterface)(ShellDataObject* self, const ShellGuid* iid, void** object);
    uint32_t (*AddRef)(ShellDataObject* self);
    uint32_t (*Release)(ShellDataObject* self);
    int32_t (*GetData)(ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium);
    int32_t (*GetDataHere)(ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium);
    int32_t (*QueryGetData)(ShellDataObject* self, ShellFormatEtc* format);
    int32_t (*GetCanonicalFormatEtc)(ShellDataObject* self, ShellFormatEtc* in, ShellFormatEtc* out);
    int32_t (*SetData)(ShellDataObject* self, ShellFormatEtc* format, ShellStgMedium* medium, int32_t release);
    int32_t (*EnumFormatEtc)(ShellDataObject* self, uint32_t direction, void** enumerator);
    int32_t (*DAdvise)(ShellDataObject* self, ShellFormatEtc* format, uint32_t flags, void* sink,
                       uint32_t* connection);
    int32_t (*DUnadvise)(ShellDataObject* self, uint32_t connection);
    int32_t (*EnumDAdvise)(ShellDataObject* self, void** enumerator);
};
struct ShellDataObject {
    const ShellDataObjectVtbl* lpVtbl;
};

// The popup menu an extension adds its commands to: AppendItem appends one command (non-zero on
// success). The menu belongs to the caller.
struct ShellMenu {
    void* context;
    int32_t (*AppendItem)(void* context, uint32_t commandId, const char16_t* text);
};

// Loads the extensions registered for (context, class) into the menu with command identifiers
// first..last; *extensions receives the handle of what was loaded (null when nothing was).
using SHLoadContextMenuExtensionsFunction = int32_t(ShellDataObject* owner, const char16_t* context,
                                                    const char16_t* className, ShellMenu* menu,
                                                    uint32_t firstId, uint32_t lastId, void** extensions);
// Runs a command of the loaded extensions; non-zero when one of them took it.
using SHInvokeContextMenuCommandFunction = int32_t(uint32_t ownerWindow, uint32_t commandId, void* extensions);
// Frees what SHLoadContextMenuExtensions loaded; non-zero on success.
using SHFreeContextMenuExtensionsFunction = int32_t(void* extensions);

}  // extern "C"

namespace plat {

inline constexpr int32_t kShellOk = 0;
inline constexpr int32_t kShellNoInterface = static_cast<int32_t>(0x80004002u);
inline constexpr int32_t kShellNotImplemented = static_cast<int32_t>(0x80004001u);
inline constexpr int32_t kShellInvalidArgument = static_cast<int32_t>(0x80070057u);
inline constexpr int32_t kShellFail = static_cast<int32_t>(0x80004005u);
inline constexpr uint32_t kAspectContent = 1;  // DVASPECT_CONTENT
inline constexpr uint32_t kTymedHGlobal = 1;   // TYMED_HGLOBAL

// The data-object interface identifier 0000010e-0000-0000-c000-000000000046.
inline constexpr ShellGuid kDataObjectIid = {0x0000010e, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
// The clipboard format of the selected contacts; its number is RegisterWindowMessage of the name
// (clipboard formats and window messages share one numbering on the device).
inline constexpr std::u16string_view kItemRefArrayFormat = u"ItemRefArray";

}  // namespace plat
