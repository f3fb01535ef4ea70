#include "store/db/CeDBProp.h"

#include <cstring>
#include <string>

CCeDBProp::CCeDBProp() : id_(plat::MakePropId(0, plat::CEVT_UI4)) {}

CCeDBProp::CCeDBProp(uint16_t number, int32_t value) : id_(plat::MakePropId(number, plat::CEVT_I4)) {
    words_[0] = static_cast<uint32_t>(value);
}

CCeDBProp::CCeDBProp(uint16_t number, uint32_t value) : id_(plat::MakePropId(number, plat::CEVT_UI4)) {
    words_[0] = value;
}

CCeDBProp::CCeDBProp(uint16_t number, uint32_t fileTimeLow, uint32_t fileTimeHigh)
    : id_(plat::MakePropId(number, plat::CEVT_FILETIME)) {
    words_[0] = fileTimeLow;
    words_[1] = fileTimeHigh;
}

CCeDBProp::CCeDBProp(uint16_t number, const char16_t* text, bool copy) : id_(plat::MakePropId(number, plat::CEVT_LPWSTR)) {
    SetText(text, copy);
}

CCeDBProp::CCeDBProp(uint16_t number, const uint8_t* data, uint32_t size, bool copy, uint16_t type)
    : id_(plat::MakePropId(number, type)) {
    SetBlob(data, size, copy, type);
}

CCeDBProp::CCeDBProp(const plat::PropVal& read) : id_(read.propId), flags_(read.flags), isNew_(false) {
    switch (GetType()) {
        case plat::CEVT_LPWSTR: SetText(read.text.c_str(), true); break;
        case plat::CEVT_BLOB:
        case plat::CEVT_STREAM: SetBlob(read.blob.data(), static_cast<uint32_t>(read.blob.size()), true, GetType()); break;
        case plat::CEVT_FILETIME: SetFileTime(static_cast<uint32_t>(read.filetime), static_cast<uint32_t>(read.filetime >> 32)); break;
        default: words_[0] = read.u32; break;
    }
    isNew_ = false;
}

CCeDBProp::~CCeDBProp() { FreeValue(); }

void CCeDBProp::FreeValue() {
    if (owns_) {
        delete[] text_;
        delete[] data_;
    }
    text_ = nullptr;
    data_ = nullptr;
    owns_ = false;
    words_[0] = words_[1] = 0;
}

void CCeDBProp::SetLong(int32_t value) {
    FreeValue();
    SetType(plat::CEVT_I4);
    words_[0] = static_cast<uint32_t>(value);
}

void CCeDBProp::SetULong(uint32_t value) {
    FreeValue();
    SetType(plat::CEVT_UI4);
    words_[0] = value;
}

void CCeDBProp::SetFileTime(uint32_t low, uint32_t high) {
    FreeValue();
    SetType(plat::CEVT_FILETIME);
    words_[0] = low;
    words_[1] = high;
}

void CCeDBProp::SetText(const char16_t* text, bool copy) {
    FreeValue();
    SetType(plat::CEVT_LPWSTR);
    if (text == nullptr || !copy) {
        text_ = text;
        return;
    }
    const size_t length = std::char_traits<char16_t>::length(text);
    auto* owned = new char16_t[length + 1];
    std::char_traits<char16_t>::copy(owned, text, length + 1);  // with its terminator
    text_ = owned;
    owns_ = true;
}

void CCeDBProp::SetBlob(const uint8_t* data, uint32_t size, bool copy, uint16_t type) {
    FreeValue();
    SetType(type);
    words_[0] = data != nullptr ? size : 0;
    if (data == nullptr || !copy) {
        data_ = data;
        return;
    }
    auto* owned = new uint8_t[size > 0 ? size : 1];
    if (size > 0) std::memcpy(owned, data, size);
    data_ = owned;
    owns_ = true;
}

plat::PropVal CCeDBProp::ToPropVal() const {
    plat::PropVal value;
    value.propId = id_;
    value.flags = flags_;
    switch (GetType()) {
        case plat::CEVT_LPWSTR: value.text = GetText(); break;
        case plat::CEVT_BLOB:
        case plat::CEVT_STREAM:
            if (data_ != nullptr) value.blob.assign(data_, data_ + words_[0]);
            break;
        case plat::CEVT_FILETIME: value.filetime = GetFileTime(); break;
        default: value.u32 = words_[0]; break;
    }
    return value;
}
