#pragma once
// One property value of a record: its identifier (number and type), the platform's length and
// flag words, and the value. Text and blocks are either referenced (the caller keeps them alive)
// or copied into the property and freed with it.
#include <cstdint>

#include "platform/objectstore/PropVal.h"

class CCeDBProp {
public:
    CCeDBProp();  // an unsigned 32-bit 0
    CCeDBProp(uint16_t number, int32_t value);
    CCeDBProp(uint16_t number, uint32_t value);
    CCeDBProp(uint16_t number, uint32_t fileTimeLow, uint32_t fileTimeHigh);
    CCeDBProp(uint16_t number, const char16_t* text, bool copy);
    // A block of `type` CEVT_BLOB or CEVT_STREAM.
    CCeDBProp(uint16_t number, const uint8_t* data, uint32_t size, bool copy, uint16_t type = plat::CEVT_BLOB);
    // A value read from the store; always copied.
    explicit CCeDBProp(const plat::PropVal& read);
    ~CCeDBProp();
    CCeDBProp(const CCeDBProp&) = delete;
    CCeDBProp& operator=(const CCeDBProp&) = delete;

    uint32_t GetId() const { return id_; }
    uint16_t GetNumber() const { return plat::PropNumber(id_); }
    uint16_t GetType() const { return plat::PropType(id_); }
    uint16_t GetLength() const { return length_; }
    uint16_t GetFlags() const { return flags_; }
    void SetFlags(uint16_t flags) { flags_ = flags; }
    // Set by a read for an asked property the record lacks: callers treat the property as absent.
    [[nodiscard]] bool IsNotFound() const { return (flags_ & plat::CEDB_PROPNOTFOUND) != 0; }
    [[nodiscard]] bool OwnsValue() const { return owns_; }
    [[nodiscard]] bool IsNew() const { return isNew_; }

    int32_t GetLong() const { return static_cast<int32_t>(words_[0]); }
    uint32_t GetULong() const { return words_[0]; }
    uint64_t GetFileTime() const { return (uint64_t{words_[1]} << 32) | words_[0]; }
    const char16_t* GetText() const { return text_ != nullptr ? text_ : u""; }
    const uint8_t* GetBlobData() const { return data_; }
    uint32_t GetBlobSize() const { return words_[0]; }

    // Each setter frees an owned old value first; the property becomes one of that kind.
    void SetLong(int32_t value);
    void SetULong(uint32_t value);
    void SetFileTime(uint32_t low, uint32_t high);
    void SetText(const char16_t* text, bool copy);
    void SetBlob(const uint8_t* data, uint32_t size, bool copy, uint16_t type = plat::CEVT_BLOB);

    // The value as the store writes it.
    plat::PropVal ToPropVal() const;

private:
    void FreeValue();
    void SetType(uint16_t type) { id_ = plat::MakePropId(GetNumber(), type); }

    uint32_t id_;
    uint16_t length_ = 0;
    uint16_t flags_ = 0;
    uint32_t words_[2] = {0, 0};     // number; file time (low, high); block size
    const char16_t* text_ = nullptr;
    const uint8_t* data_ = nullptr;
    bool owns_ = false;
    bool isNew_ = true;
};
