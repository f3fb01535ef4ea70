#pragma once
// ByteBlock: an immutable byte block shared between copies by reference count. Copying a contact
// copies the handle, never the bytes; a change replaces the whole block.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class ByteBlock {
public:
    ByteBlock() = default;
    explicit ByteBlock(std::vector<uint8_t> bytes);
    explicit ByteBlock(std::span<const uint8_t> bytes);

    std::span<const uint8_t> Bytes() const;
    size_t Size() const { return data_ ? data_->size() : 0; }
    [[nodiscard]] bool IsEmpty() const { return Size() == 0; }
    // True when every byte is 0 (an empty block included).
    [[nodiscard]] bool IsAllZero() const;

    // Blocks compare by content.
    friend bool operator==(const ByteBlock& a, const ByteBlock& b);

private:
    std::shared_ptr<const std::vector<uint8_t>> data_;  // null or non-empty
};
