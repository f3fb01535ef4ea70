#pragma once
// What every stand-in program and library of the device shares: finding its device, writing its
// lines to the program log and, for the programs with windows, serving them.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/Registry.h"
#include "platform/window/WindowTypes.h"

// A function a stand-in library exports under its C name.
#define BREVANE_STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace standin {

// A started stand-in program: its file name (from argv[0], so the name it was installed under)
// and its command line (argv[1], empty when there is none).
struct ProgramStart {
    std::u16string name;
    std::u16string commandLine;
};

// Makes the program's device current (BREVANE_ROOT, which the starter sets) and writes the start
// line to its program log. Nothing when there is no usable device (the program then ends).
std::optional<ProgramStart> BeginProgram(int argc, char** argv);

// Logs that another instance of the program runs already (a program whose windows exist once on
// the device ends then); the exit code 0.
int AlreadyRunning(std::u16string_view program);
// Logs that there is no running instance to ask (to close); the exit code 0.
int NotRunning(std::u16string_view program);

// Runs the event loop until `closing` holds or the device's root folder is gone (so a stand-in
// left running by a removed test device ends by itself).
void ServeUntil(const bool& closing);

// Logs a message one of the program's windows got: program, "message", the message number,
// wParam and lParam in decimal.
void LogMessage(std::u16string_view program, uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam);

// The stand-in libraries: the loader hands them their device (plat::kAttachDeviceExport); before
// that (or when loaded by another loader) a library uses the device whose \Windows folder holds it,
// else BREVANE_ROOT. `anchor` is any address inside the library. False when there is no device.
void AttachDevice(const char* root);
[[nodiscard]] bool HaveLibraryDevice(const void* anchor);

// Logs one call of a library function (library: its device file name, "phone.dll").
void LogCall(std::u16string_view library, std::u16string_view function, std::initializer_list<std::u16string> args);

// A REG_DWORD of the device registry (`fallback` when missing, of another type or unreadable) and
// writing one (false when it cannot be written).
uint32_t RegistryDword(plat::Hive hive, std::u16string_view key, std::u16string_view name, uint32_t fallback);
[[nodiscard]] bool SetRegistryDword(plat::Hive hive, std::u16string_view key, std::u16string_view name,
                                    uint32_t value);
// A REG_SZ of the device registry; empty when missing, of another type or unreadable.
std::u16string RegistryString(plat::Hive hive, std::u16string_view key, std::u16string_view name);

// Argument texts for the log: a text ("(null)" for a null pointer) and a number.
std::u16string Text(const char16_t* text);
std::u16string Number(int64_t value);

}  // namespace standin
