#pragma once
// The infrared folder of the object model: items added to it are sent together. On this platform
// sending writes each contact as a vCard file into "\My Documents\Beam" and records the send in the
// program log.
#include <string>
#include <vector>

#include "platform/pom/PomDefs.h"

namespace plat::pom {

class InfraredFolder {
public:
    // Adds a contact as its vCard text (UTF-8) under a suggested file name (without ".vcf"; unsafe
    // characters are replaced). Only contacts can be added (ERROR_INVALID_PARAMETER otherwise).
    [[nodiscard]] bool AddItemToInfraredFolder(ItemType type, std::string card, std::u16string name);
    // Writes every added card, logs "SendToInfrared" with the device paths written, and empties
    // the folder. False (nothing logged) when a file cannot be written; files written stay.
    [[nodiscard]] bool SendToInfrared();

    size_t Count() const { return items_.size(); }

private:
    struct Pending {
        std::string card;
        std::u16string name;
    };
    std::vector<Pending> items_;
};

// A name usable as a file name: characters that the handheld's file system does not allow, and
// control characters, become "_"; blanks and dots at either end go; an empty result is "Contact";
// at most 64 units are kept.
std::u16string SafeFileName(std::u16string_view name);

}  // namespace plat::pom
