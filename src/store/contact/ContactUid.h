#pragma once
// The unique identifiers of contacts: UUIDs in their text form (36 lower-case characters,
// 8-4-4-4-12 hexadecimal digits). A new contact gets a random one (version 4); a contact stored
// before contacts carried one gets a name-based one (version 5) made from the identifier of its
// volume and its object identifier, so that every reader gives it the same UID without writing
// it, until its next save stores it. docs/contact-record.md describes both.
#include <array>
#include <cstdint>
#include <span>

#include "core/str/Str.h"
#include "platform/objectstore/PropVal.h"

using UuidBytes = std::array<uint8_t, 16>;

// The text form of a UUID.
Str UuidText(const UuidBytes& uuid);
// A name-based UUID (version 5: SHA-1 of the namespace's 16 bytes followed by the name).
UuidBytes NameBasedUuid(const UuidBytes& nameSpace, std::span<const uint8_t> name);

// A random UID (version 4).
Str NewContactUid();
// The UID of the record `oid` of `volume` that has none stored: the name-based UUID in this
// system's namespace of the 16 volume bytes followed by the object identifier (4 bytes,
// little-endian).
Str StoredContactUid(const plat::CeGuid& volume, uint32_t oid);
