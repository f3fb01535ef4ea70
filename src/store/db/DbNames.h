#pragma once
// The volume, databases and properties the system opens by name.
#include <cstdint>

inline constexpr char16_t kVolumePath[] = u"\\pim.vol";
inline constexpr char16_t kContactsDbName[] = u"Contacts Database";
inline constexpr char16_t kNamedPropsDbName[] = u"PIMNamedPropValsIndexed";

// Database-level flag of the contacts database (a contact save then writes property 0x102).
inline constexpr uint32_t kContactsFlagProp = 0x01020013;
// The company text of a contact.
inline constexpr uint32_t kCompanyProp = 0x008A001F;
// The named-property table's two keys (unsigned 32-bit).
inline constexpr uint32_t kNamedKeyProp = 0x00010013;
inline constexpr uint32_t kNamedKindProp = 0x00020013;
