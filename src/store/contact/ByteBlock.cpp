#include "store/contact/ByteBlock.h"

#include <algorithm>

ByteBlock::ByteBlock(std::vector<uint8_t> bytes) {
    if (!bytes.empty()) data_ = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
}

ByteBlock::ByteBlock(std::span<const uint8_t> bytes)
    : ByteBlock(std::vector<uint8_t>(bytes.begin(), bytes.end())) {}

std::span<const uint8_t> ByteBlock::Bytes() const {
    if (!data_) return {};
    return {data_->data(), data_->size()};
}

bool ByteBlock::IsAllZero() const {
    const auto bytes = Bytes();
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

bool operator==(const ByteBlock& a, const ByteBlock& b) {
    const auto x = a.Bytes();
    const auto y = b.Bytes();
    return std::equal(x.begin(), x.end(), y.begin(), y.end());
}
