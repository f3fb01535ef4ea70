#include "phone/speed/SpeedMoves.h"

#include <algorithm>
#include <optional>

#include "phone/speed/SpeedRegistry.h"

namespace {

std::vector<SpeedRecord> ReadAll() {
    std::vector<SpeedRecord> records;
    while (std::optional<SpeedRecord> record = ReadSpeedRecord(static_cast<int>(records.size()))) {
        records.push_back(std::move(*record));
    }
    return records;
}

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutText(std::vector<uint8_t>& out, const Str& text) {
    PutWord(out, static_cast<uint32_t>(text.View().size()));
    for (const char16_t unit : text.View()) {
        out.push_back(static_cast<uint8_t>(unit & 0xFF));
        out.push_back(static_cast<uint8_t>(unit >> 8));
    }
}

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ == bytes_.size(); }
    bool Word(uint32_t& value) {
        if (bytes_.size() - at_ < 4) return false;
        value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[at_ + static_cast<size_t>(i)];
        at_ += 4;
        return true;
    }
    bool Text(Str& text) {
        uint32_t units = 0;
        if (!Word(units) || (bytes_.size() - at_) / 2 < units) return false;
        std::u16string read(units, u'\0');
        for (uint32_t i = 0; i < units; ++i, at_ += 2) {
            read[i] = static_cast<char16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
        }
        text = Str(read);
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

}  // namespace

std::vector<uint8_t> EncodeSpeedRecords(std::span<const SpeedRecord> records) {
    std::vector<uint8_t> out;
    for (const SpeedRecord& r : records) {
        PutWord(out, r.oid);
        PutWord(out, static_cast<uint32_t>(r.btn));
        PutWord(out, r.link);
        PutWord(out, r.index);
        for (const Str* text : {&r.first, &r.last, &r.middle, &r.company, &r.display, &r.phone, &r.type})
            PutText(out, *text);
    }
    return out;
}

bool DecodeSpeedRecords(std::span<const uint8_t> bytes, std::vector<SpeedRecord>& records) {
    Reader in(bytes);
    while (!in.AtEnd()) {
        SpeedRecord r;
        uint32_t btn = 0;
        if (!in.Word(r.oid) || !in.Word(btn) || !in.Word(r.link) || !in.Word(r.index)) return false;
        r.btn = static_cast<int32_t>(btn);
        for (Str* text : {&r.first, &r.last, &r.middle, &r.company, &r.display, &r.phone, &r.type}) {
            if (!in.Text(*text)) return false;
        }
        records.push_back(std::move(r));
    }
    return true;
}

std::vector<uint8_t> CaptureSpeedEntries(uint32_t oid) {
    std::vector<SpeedRecord> mine = ReadAll();
    std::erase_if(mine, [&](const SpeedRecord& r) { return r.oid != oid; });
    return EncodeSpeedRecords(mine);
}

bool RestoreSpeedEntries(std::span<const uint8_t> kept, uint32_t oid) {
    std::vector<SpeedRecord> buttons;
    if (!DecodeSpeedRecords(kept, buttons)) return false;
    std::vector<SpeedRecord> all = ReadAll();
    bool written = true;
    for (SpeedRecord& button : buttons) {
        const auto same = std::find_if(all.begin(), all.end(), [&](const SpeedRecord& r) {
            return r.index == button.index && r.phone == button.phone;
        });
        if (same != all.end()) {
            same->oid = oid;
            written = WriteSpeedRecord(static_cast<int>(same - all.begin()), *same) && written;
            continue;
        }
        if (std::any_of(all.begin(), all.end(),
                        [&](const SpeedRecord& r) { return r.index == button.index; }))
            continue;
        button.oid = oid;
        all.push_back(button);
        written = WriteSpeedRecord(static_cast<int>(all.size() - 1), button) && written;
    }
    return written;
}

bool MoveSpeedEntries(uint32_t from, uint32_t to) {
    std::vector<SpeedRecord> all = ReadAll();
    bool written = true;
    for (size_t position = 0; position < all.size(); ++position) {
        if (all[position].oid != from) continue;
        all[position].oid = to;
        written = WriteSpeedRecord(static_cast<int>(position), all[position]) && written;
    }
    return written;
}
