#pragma once
// Decoding a property's raw value: the transfer encoding (quoted-printable, base64, data: URI)
// and the character set are undone; escapes stay for the compound splitting.
#include <string>

#include "store/vcard/VCard.h"

// Fills `value` (text) or `binary` (PHOTO, LOGO, SOUND, KEY and X-BREVANE-NOTE-DATA with inline
// data) of `property`
// from its raw value and parameters. A data: URI's media type is kept as the MEDIATYPE
// parameter. False with `reason` set for damaged base64, a damaged data: URI, an unknown
// encoding or an unknown character set.
[[nodiscard]] bool DecodePropertyValue(VCardProperty& property, std::string& reason);
