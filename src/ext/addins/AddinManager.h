#pragma once
// AddinManager: the "Outlook Plugin" submenu of the contact list's context menu, made of the
// registered add-ins (AddinTable.h) and the shell's context-menu extensions, and the running of
// its commands with the selected contacts. Command identifiers run from the first identifier F:
// F + i for add-in i, then the extensions' commands up to F + 64.
#include <cstdint>
#include <span>
#include <vector>

#include "core/menu/MenuDescription.h"
#include "ext/addins/AddinTable.h"
#include "ext/addins/ShellExtensions.h"

class AddinManager {
public:
    // The program's one manager, filled at start-up.
    static AddinManager& Instance();

    AddinManager() = default;
    AddinManager(const AddinManager&) = delete;
    AddinManager& operator=(const AddinManager&) = delete;

    // Stores the first identifier and reads the add-in table (the shell extensions are looked up
    // anew when a menu is built).
    void Load(uint32_t firstId);
    // Empties the table and releases the shell extensions and their library; the program does
    // this when its main window goes.
    void Unload();
    // When an add-in's command ended the program last time (a crash inside the add-in), tells the
    // user which add-in it was; once.
    void ReportInterruptedCommand();

    // Appends a separator and the submenu to `menu`; false (and nothing appended) when there is
    // neither an add-in nor a loaded extension.
    [[nodiscard]] bool BuildMenu(MenuDescription& menu, std::span<const uint32_t> selected);
    // Runs command `command` when it is one of the submenu's (F to F + 64): an add-in's command
    // through its library, any other to the extensions. False for commands outside that range.
    // An add-in that cannot run (its library does not load, has no command, or the contacts store
    // is not available) is reported to the user in a message box.
    [[nodiscard]] bool Invoke(uint32_t command, std::span<const uint32_t> selected);

    // The command of the add-in whose library path contains "btdialer.dll" (in any case), or -1;
    // and that library's path (empty when there is none).
    int DialerAddInCommand() const;
    Str DialerAddInDll() const;

    const std::vector<AddinEntry>& Addins() const { return addins_; }
    ShellExtensions& Extensions() { return shell_; }

private:
    int DialerIndex() const;
    void RunAddin(const AddinEntry& addin, std::span<const uint32_t> selected);

    std::vector<AddinEntry> addins_;
    uint32_t first_ = 0;
    bool loaded_ = false;
    ShellExtensions shell_;
};
