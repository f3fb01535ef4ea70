#pragma once
/* The C interface between the contacts program and its context-menu add-ins, beside the shell
 * library's interface for context-menu extensions and the data object (platform/programs/
 * ShellExtAbi.h). An add-in is a shared object registered in the device registry (docs/addins.md)
 * that exports CePimCommand; it may be written in plain C against the first part of this file.
 */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The add-in's command: called with a window of the program that owns what the add-in shows,
 * item type 0 (contacts), the number of selected contacts and their object identifiers (the
 * 32-bit record identifiers of the contacts database; null when the count is 0), and a reserved
 * null. The result is a status code, 0 for success; the program does not look at it. */
typedef int32_t CePimCommandFunction(uint32_t ownerWindow, uint32_t itemType, uint32_t count,
                                     const uint32_t* oids, void* reserved);
#define PIM_ADDIN_COMMAND_EXPORT "CePimCommand"
#define PIM_ADDIN_ITEM_CONTACTS 0u

#ifdef __cplusplus
}  /* extern "C" */

#include <cstddef>

#include "platform/programs/ShellExtAbi.h"

namespace addin {

// The status codes of the data object beyond those of the shell interface.
inline constexpr int32_t kPointerNull = static_cast<int32_t>(0x80004003u);           // E_POINTER
inline constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x8007000Eu);           // E_OUTOFMEMORY
inline constexpr int32_t kBadTymed = static_cast<int32_t>(0x8004006Bu);              // DV_E_TYMED
inline constexpr int32_t kBadFormatEtc = static_cast<int32_t>(0x80040064u);          // DV_E_FORMATETC
inline constexpr int32_t kAdviseNotSupported = static_cast<int32_t>(0x80040003u);    // OLE_E_ADVISENOTSUPPORTED

// The base interface 00000000-0000-0000-c000-000000000046.
inline constexpr ShellGuid kUnknownIid = {0x00000000, 0, 0, {0xc0, 0, 0, 0, 0, 0, 0, 0x46}};
// The item type of a contact, 18103fdf-caec-42eb-90e7-1c76d6e60d24.
inline constexpr ShellGuid kContactItemType = {0x18103fdf, 0xcaec, 0x42eb, {0x90, 0xe7, 0x1c, 0x76, 0xd6, 0xe6, 0x0d, 0x24}};

// The "ItemRefArray" block: a 32-bit count n, then n references of two 32-bit words each
// (little-endian). The first word of a reference held a pointer to the item-type identifier on the
// 32-bit handheld; a pointer does not fit a 32-bit word on a 64-bit host, so the word holds the
// identifier's first field (kContactItemType.Data1, 0x18103fdf) for every reference. The second
// word is the contact's object identifier.
inline constexpr size_t kItemRefArrayHeader = 4;
inline constexpr size_t kItemRefSize = 8;
inline constexpr uint32_t kItemTypeWord = kContactItemType.Data1;

// The command identifiers of the context menu: the add-ins from the first identifier F, the
// extensions' commands after them up to F + kLastCommandOffset.
inline constexpr uint32_t kFirstCommandId = 41222;
inline constexpr uint32_t kLastCommandOffset = 64;
inline constexpr int kMaxAddins = 10;

}  // namespace addin
#endif
