#include "platform/objectstore/PageWalk.h"

#include <set>
#include <vector>

#include "platform/shm/ImageFile.h"

namespace plat::objstore {

namespace {

constexpr uint8_t kInteriorIndex = 2;
constexpr uint8_t kInteriorTable = 5;
constexpr uint8_t kLeafIndex = 10;
constexpr uint8_t kLeafTable = 13;
constexpr size_t kFileHeader = 100;  // page 1 holds the file header before its b-tree header

uint32_t Big16(const uint8_t* at) { return (uint32_t{at[0]} << 8) | at[1]; }
uint32_t Big32(const uint8_t* at) { return (Big16(at) << 16) | Big16(at + 2); }

class Walk {
public:
    Walk(std::vector<uint8_t> bytes, size_t pageSize) : bytes_(std::move(bytes)), pageSize_(pageSize) {}

    // The first damaged page of the tree below `page`: a page that is not a b-tree page, or not of
    // the kind (table or index) of the tree's root, or whose cells overrun it.
    std::optional<uint32_t> Tree(uint32_t page, std::optional<bool> table = std::nullopt) {
        if (page == 0 || size_t{page} * pageSize_ > bytes_.size()) return page;
        if (!seen_.insert(page).second) return std::nullopt;
        const uint8_t* base = bytes_.data() + size_t{page - 1} * pageSize_;
        const uint8_t* header = base + (page == 1 ? kFileHeader : 0);
        const uint8_t type = header[0];
        const bool leaf = type == kLeafIndex || type == kLeafTable;
        const bool tableType = type == kInteriorTable || type == kLeafTable;
        if ((!leaf && type != kInteriorIndex && type != kInteriorTable) ||
            tableType != table.value_or(tableType)) {
            return page;
        }
        const uint32_t cells = Big16(header + 3);
        const size_t headerSize = leaf ? 8 : 12;
        if (size_t(header - base) + headerSize + 2 * size_t{cells} > pageSize_) return page;
        if (leaf) return std::nullopt;
        for (uint32_t cell = 0; cell < cells; ++cell) {
            const uint32_t at = Big16(header + headerSize + 2 * cell);
            if (at + 4 > pageSize_) return page;
            if (const auto bad = Tree(Big32(base + at), tableType)) return bad;
        }
        return Tree(Big32(header + 8), tableType);
    }

private:
    std::vector<uint8_t> bytes_;
    size_t pageSize_;
    std::set<uint32_t> seen_;
};

}  // namespace

std::optional<uint32_t> FirstDamagedPage(const std::filesystem::path& file, std::span<const uint32_t> roots) {
    InputFile in;
    if (!in.Open(file) || in.Size() < kFileHeader) return std::nullopt;
    std::vector<uint8_t> bytes(in.Size());
    if (!in.ReadAll(bytes)) return std::nullopt;
    const uint32_t raw = Big16(bytes.data() + 16);
    Walk walk(std::move(bytes), raw == 1 ? 65536 : raw);
    if (const auto bad = walk.Tree(1, true)) return bad;
    for (const uint32_t root : roots) {
        if (const auto bad = walk.Tree(root)) return bad;
    }
    return std::nullopt;
}

}  // namespace plat::objstore
