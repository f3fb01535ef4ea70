#include "platform/sound/Wave.h"

#include <cstring>

namespace plat {

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

uint32_t U16At(std::span<const uint8_t> b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t U32At(std::span<const uint8_t> b, size_t at) { return U16At(b, at) | (U16At(b, at + 2) << 16); }
bool TagAt(std::span<const uint8_t> b, size_t at, const char* tag) { return std::memcmp(&b[at], tag, 4) == 0; }

constexpr uint16_t kPcm = 1;

}  // namespace

uint32_t WaveInfo::DurationMs() const {
    const uint64_t bytesPerSecond = uint64_t{sampleRate} * channels * (bitsPerSample / 8);
    if (bytesPerSecond == 0) return 0;
    return static_cast<uint32_t>((uint64_t{dataBytes} * 1000 + bytesPerSecond - 1) / bytesPerSecond);
}

std::vector<uint8_t> BuildMonoWave(std::span<const int16_t> samples, uint32_t sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, kPcm);
    PutU16(out, 1);
    PutU32(out, sampleRate);
    PutU32(out, sampleRate * 2);
    PutU16(out, 2);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataBytes);
    for (const int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
    return out;
}

std::optional<WaveInfo> ParseWave(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || !TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) return std::nullopt;
    WaveInfo info;
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = U32At(bytes, at + 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) return std::nullopt;
        if (TagAt(bytes, at, "fmt ")) {
            if (size < 16 || U16At(bytes, body) != kPcm) return std::nullopt;
            info.channels = static_cast<uint16_t>(U16At(bytes, body + 2));
            info.sampleRate = U32At(bytes, body + 4);
            info.bitsPerSample = static_cast<uint16_t>(U16At(bytes, body + 14));
            haveFormat = info.channels > 0 && info.sampleRate > 0 && info.bitsPerSample == 16;
            if (!haveFormat) return std::nullopt;
        } else if (TagAt(bytes, at, "data")) {
            if (!haveFormat) return std::nullopt;
            info.dataBytes = size;
            info.dataOffset = static_cast<uint32_t>(body);
            return info;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

}  // namespace plat
