#pragma once
// The shell's context-menu extensions for the contacts list: the three entry points of
// \Windows\Aygshell.dll (looked up once; all three must be there), the handle of the extensions
// loaded into the last menu, and the data object that carries the selected contacts to them.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/menu/MenuDescription.h"
#include "ext/addins/NewPluginManager.h"
#include "platform/programs/DeviceLibrary.h"

class ShellExtensions {
public:
    enum State : int { kNotLookedUp = 0, kUnavailable = -1, kAvailable = 1 };

    ShellExtensions() = default;
    // Frees the loaded extensions.
    ~ShellExtensions();
    ShellExtensions(const ShellExtensions&) = delete;
    ShellExtensions& operator=(const ShellExtensions&) = delete;

    // Frees the extensions loaded before and loads those registered for the contacts context menu
    // into `popup`, with command identifiers first..last. True when an extension handle came back;
    // the popup's item `first` is then enabled.
    [[nodiscard]] bool Load(std::vector<MenuItem>& popup, uint32_t first, uint32_t last,
                            std::span<const uint32_t> oids);
    // Hands a command to the loaded extensions with the selected contacts; false when there are no
    // loaded extensions or none took it.
    [[nodiscard]] bool Invoke(uint32_t command, std::span<const uint32_t> oids);
    void Free();
    // Frees the extensions and unloads the shell library; the next Load looks it up again. Done
    // while the device is still there: a library left loaded would be called at process exit,
    // after everything it relies on is gone.
    void Release();

    State GetState() const { return state_; }
    [[nodiscard]] bool HasExtensions() const { return extensions_ != nullptr; }
    NewPluginManager& DataObject() { return *data_; }

private:
    [[nodiscard]] bool LookUp();

    State state_ = kNotLookedUp;
    std::unique_ptr<plat::DeviceLibrary> library_;
    SHLoadContextMenuExtensionsFunction* load_ = nullptr;
    SHFreeContextMenuExtensionsFunction* free_ = nullptr;
    SHInvokeContextMenuCommandFunction* invoke_ = nullptr;
    void* extensions_ = nullptr;
    std::unique_ptr<NewPluginManager> data_;
};
