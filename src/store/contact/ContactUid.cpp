#include "store/contact/ContactUid.h"

#include <algorithm>
#include <random>
#include <vector>

namespace {

// The namespace of the UIDs of contacts stored without one.
constexpr UuidBytes kStoredContactNamespace = {0x6f, 0x1c, 0x2b, 0x0e, 0x8a, 0x4d, 0x4e, 0x37,
                                               0x9b, 0x21, 0x3c, 0x7d, 0x5a, 0x90, 0xe4, 0xf8};

uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

void Sha1Block(std::array<uint32_t, 5>& h, const uint8_t* block) {
    std::array<uint32_t, 80> w{};
    for (int i = 0; i < 16; ++i) {
        w[i] = uint32_t{block[i * 4]} << 24 | uint32_t{block[i * 4 + 1]} << 16 |
               uint32_t{block[i * 4 + 2]} << 8 | block[i * 4 + 3];
    }
    for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f = 0, k = 0;
        if (i < 20) {
            f = (b & c) | (~b & d), k = 0x5A827999;
        } else if (i < 40) {
            f = b ^ c ^ d, k = 0x6ED9EBA1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d, k = 0xCA62C1D6;
        }
        const uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
        e = d, d = c, c = RotateLeft(b, 30), b = a, a = next;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
}

std::array<uint8_t, 20> Sha1(std::vector<uint8_t> message) {
    const uint64_t bits = uint64_t{message.size()} * 8;
    message.push_back(0x80);
    while (message.size() % 64 != 56) message.push_back(0);
    for (int shift = 56; shift >= 0; shift -= 8) message.push_back(static_cast<uint8_t>(bits >> shift));
    std::array<uint32_t, 5> h = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    for (size_t offset = 0; offset < message.size(); offset += 64) Sha1Block(h, message.data() + offset);
    std::array<uint8_t, 20> digest{};
    for (size_t i = 0; i < digest.size(); ++i)
        digest[i] = static_cast<uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}

// Sets the version nibble and the variant bits of RFC 9562.
UuidBytes Versioned(UuidBytes uuid, uint8_t version) {
    uuid[6] = static_cast<uint8_t>((uuid[6] & 0x0F) | (version << 4));
    uuid[8] = static_cast<uint8_t>((uuid[8] & 0x3F) | 0x80);
    return uuid;
}

}  // namespace

Str UuidText(const UuidBytes& uuid) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text;
    for (size_t i = 0; i < uuid.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text.push_back(u'-');
        text.push_back(kDigits[uuid[i] >> 4]);
        text.push_back(kDigits[uuid[i] & 0x0F]);
    }
    return Str(text);
}

UuidBytes NameBasedUuid(const UuidBytes& nameSpace, std::span<const uint8_t> name) {
    std::vector<uint8_t> message(nameSpace.begin(), nameSpace.end());
    message.insert(message.end(), name.begin(), name.end());
    const std::array<uint8_t, 20> digest = Sha1(std::move(message));
    UuidBytes uuid{};
    std::copy_n(digest.begin(), uuid.size(), uuid.begin());
    return Versioned(uuid, 5);
}

Str NewContactUid() {
    // Every bit from the system's entropy source: a seeded generator would give at most as many
    // different UIDs as it has seeds.
    std::random_device random;
    UuidBytes uuid{};
    for (size_t i = 0; i < uuid.size(); i += 4) {
        const uint32_t bits = random();
        for (size_t j = 0; j < 4; ++j) uuid[i + j] = static_cast<uint8_t>(bits >> (8 * j));
    }
    return UuidText(Versioned(uuid, 4));
}

Str StoredContactUid(const plat::CeGuid& volume, uint32_t oid) {
    std::vector<uint8_t> name(volume.bytes.begin(), volume.bytes.end());
    for (int shift = 0; shift < 32; shift += 8) name.push_back(static_cast<uint8_t>(oid >> shift));
    return UuidText(NameBasedUuid(kStoredContactNamespace, name));
}
