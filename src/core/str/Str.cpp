#include "core/str/Str.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "core/diag/ErrorLog.h"
#include "core/diag/FatalError.h"
#include "core/str/CharClass.h"
#include "core/str/StrAlloc.h"
#include "platform/locale/Locale.h"

namespace {

// The one empty block all empty strings share. Its count is never changed and it is never freed.
struct EmptyBlock {
    StrHeader header;
    char16_t nul;
};
static_assert(offsetof(EmptyBlock, nul) == sizeof(StrHeader));

char16_t* EmptyData() noexcept {
    static EmptyBlock block{{100, 0, static_cast<int32_t>(sizeof(EmptyBlock))}, 0};
    return &block.nul;
}

// A new block with room for `chars` characters, count 1 and length 0.
char16_t* NewBlock(int64_t chars) {
    void* memory = chars <= kStrMaxLength ? StrAllocate(static_cast<size_t>(StrBlockCapacity(chars)))
                                          : nullptr;
    if (!memory) {
        ErrorLog(u"Memory allocation failed", "Str", 23);
        throw FatalError(kFatalMemory, 0);
    }
    auto* header = static_cast<StrHeader*>(memory);
    *header = {1, 0, static_cast<int32_t>(StrBlockCapacity(chars))};
    auto* data = reinterpret_cast<char16_t*>(header + 1);
    data[0] = 0;
    return data;
}

// A new block holding `text`.
char16_t* NewBlockWith(std::u16string_view text) {
    char16_t* data = NewBlock(static_cast<int64_t>(text.size()));
    std::copy(text.begin(), text.end(), data);
    data[text.size()] = 0;
    reinterpret_cast<StrHeader*>(data)[-1].length = static_cast<int32_t>(text.size());
    return data;
}

std::u16string_view OrEmpty(const char16_t* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

}  // namespace

// --- Construction and assignment -----------------------------------------------------------------

Str::Str() noexcept : data_(EmptyData()) {}

Str::Str(const Str& other) : data_(EmptyData()) { *this = other; }

Str::Str(Str&& other) noexcept : data_(other.data_) { other.data_ = EmptyData(); }

Str::Str(const char16_t* text) : Str(OrEmpty(text)) {}

Str::Str(std::u16string_view text) : data_(text.empty() ? EmptyData() : NewBlockWith(text)) {}

Str::Str(char16_t ch) : Str(ch ? std::u16string_view(&ch, 1) : std::u16string_view()) {}

Str::~Str() { Release(); }

Str& Str::operator=(const Str& other) {
    if (data_ == other.data_) return *this;
    if (RefCount() < 0 || other.RefCount() < 0) {
        AssignText(other.View());
        return *this;
    }
    Release();
    data_ = other.data_;
    if (data_ != EmptyData()) ++Header()->refs;
    return *this;
}

Str& Str::operator=(Str&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = other.data_;
        other.data_ = EmptyData();
    }
    return *this;
}

Str& Str::operator=(const char16_t* text) {
    if (text != data_) AssignText(OrEmpty(text));
    return *this;
}

Str& Str::operator=(std::u16string_view text) {
    AssignText(text);
    return *this;
}

// --- Block management ----------------------------------------------------------------------------

bool Str::IsWritableFor(int chars) const noexcept {
    const StrHeader* header = Header();
    return data_ != EmptyData() && header->refs == 1 && header->capacity >= StrBlockNeed(chars);
}

void Str::Release() noexcept {
    if (data_ == EmptyData()) return;
    StrHeader* header = Header();
    if (header->refs < 0 || --header->refs == 0) StrFree(header);
    data_ = EmptyData();
}

void Str::Empty() noexcept { Release(); }

// Replaces the text. `text` may lie inside this string's own block: it is moved within a
// writable block, or copied out before the old block is released.
void Str::AssignText(std::u16string_view text) {
    if (text.empty()) {
        Release();
        return;
    }
    const int length = static_cast<int>(text.size());
    if (IsWritableFor(length)) {
        std::memmove(data_, text.data(), text.size() * sizeof(char16_t));
    } else {
        char16_t* fresh = NewBlockWith(text);
        Release();
        data_ = fresh;
    }
    Header()->length = length;
    data_[length] = 0;
}

char16_t* Str::GetBuffer(int minChars) {
    const int length = GetLength();
    const int64_t chars = std::max<int64_t>(minChars, length);
    if (IsWritableFor(static_cast<int>(std::min<int64_t>(chars, kStrMaxLength + 1LL)))) return data_;
    char16_t* fresh = NewBlock(chars);
    std::copy(data_, data_ + length + 1, fresh);
    reinterpret_cast<StrHeader*>(fresh)[-1].length = length;
    Release();
    data_ = fresh;
    return data_;
}

void Str::CopyBeforeWrite() {
    if (GetLength() > 0) GetBuffer(GetLength());
}

void Str::ReleaseBuffer(int newLength) {
    if (data_ == EmptyData()) return;
    if (RefCount() > 1) CopyBeforeWrite();
    const int room = (Capacity() - static_cast<int>(sizeof(StrHeader))) / 2 - 1;
    if (newLength == -1) {
        newLength = 0;
        while (newLength < room && data_[newLength] != 0) ++newLength;
    }
    newLength = Clamp(newLength, 0, room);
    Header()->length = newLength;
    data_[newLength] = 0;
}

char16_t* Str::GetBufferSetLength(int length) {
    length = std::max(length, 0);
    char16_t* buffer = GetBuffer(length);
    if (data_ == EmptyData()) return buffer;
    Header()->length = length;
    data_[length] = 0;
    return buffer;
}

char16_t* Str::LockBuffer() {
    char16_t* buffer = GetBuffer(0);  // never the empty block: GetBuffer makes a block of its own
    Header()->refs = -1;
    return buffer;
}

void Str::UnlockBuffer() noexcept {
    if (data_ != EmptyData() && RefCount() < 0) Header()->refs = 1;
}

char16_t Str::GetAt(int index) const noexcept {
    return index >= 0 && index < GetLength() ? data_[index] : char16_t(0);
}

// --- Searching -----------------------------------------------------------------------------------

int Str::Find(char16_t ch, int start) const noexcept {
    return Find(std::u16string_view(&ch, 1), start);
}

int Str::Find(const char16_t* sub, int start) const noexcept { return Find(OrEmpty(sub), start); }

int Str::Find(std::u16string_view sub, int start) const noexcept {
    start = std::max(start, 0);
    if (start >= GetLength()) return -1;
    const size_t at = View().find(sub, static_cast<size_t>(start));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int Str::FindOneOf(std::u16string_view set, int start) const noexcept {
    start = std::max(start, 0);
    if (start >= GetLength()) return -1;
    const size_t at = View().find_first_of(set, static_cast<size_t>(start));
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

int Str::FindOneOf(const char16_t* set, int start) const noexcept {
    return FindOneOf(OrEmpty(set), start);
}

int Str::ReverseFind(char16_t ch) const noexcept {
    const size_t at = View().rfind(ch);
    return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

// --- Substrings ----------------------------------------------------------------------------------

Str Str::Mid(int first) const { return Mid(first, GetLength()); }

Str Str::Mid(int first, int count) const {
    const int length = GetLength();
    first = Clamp(first, 0, length);
    count = Clamp(count, 0, length - first);
    if (first == 0 && count == length) return *this;
    return Str(View().substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

Str Str::Left(int count) const { return Mid(0, count); }

Str Str::Right(int count) const {
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

// --- In-place changes ----------------------------------------------------------------------------

void Str::MakeLower() {
    CopyBeforeWrite();
    for (int i = 0; i < GetLength(); ++i) data_[i] = plat::LowerUnit(data_[i]);
}

void Str::MakeReverse() {
    CopyBeforeWrite();
    std::reverse(data_, data_ + GetLength());
}

void Str::SetAt(int index, char16_t ch) {
    if (index < 0 || index >= GetLength()) return;
    CopyBeforeWrite();
    data_[index] = ch;
}

void Str::TrimLeft() {
    const std::u16string_view text = View();
    size_t first = 0;
    while (first < text.size() && IsSpaceChar(text[first])) ++first;
    if (first > 0) AssignText(text.substr(first));
}

void Str::TrimRight() {
    const std::u16string_view text = View();
    size_t end = text.size();
    while (end > 0 && IsSpaceChar(text[end - 1])) --end;
    if (end < text.size()) AssignText(text.substr(0, end));
}

void Str::TrimRight(char16_t ch) {
    const std::u16string_view text = View();
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ch) --end;
    if (end < text.size()) AssignText(text.substr(0, end));
}

// --- Append and concatenation --------------------------------------------------------------------

void Str::Append(std::u16string_view text) {
    if (text.empty()) return;
    const int length = GetLength();
    const int64_t total = static_cast<int64_t>(length) + static_cast<int64_t>(text.size());
    if (total <= kStrMaxLength && IsWritableFor(static_cast<int>(total))) {
        std::memmove(data_ + length, text.data(), text.size() * sizeof(char16_t));
    } else {
        char16_t* fresh = NewBlock(total);
        std::copy(data_, data_ + length, fresh);
        std::copy(text.begin(), text.end(), fresh + length);
        Release();
        data_ = fresh;
    }
    Header()->length = static_cast<int32_t>(total);
    data_[total] = 0;
}

Str& Str::operator+=(const Str& other) {
    if (IsEmpty() && data_ == EmptyData()) return *this = other;
    Append(other.View());
    return *this;
}

Str& Str::operator+=(const char16_t* text) {
    Append(OrEmpty(text));
    return *this;
}

Str& Str::operator+=(std::u16string_view text) {
    Append(text);
    return *this;
}

Str& Str::operator+=(char16_t ch) {
    if (ch) Append(std::u16string_view(&ch, 1));
    return *this;
}

Str Str::Concat(std::u16string_view a, std::u16string_view b) {
    Str result;
    result.GetBuffer(static_cast<int>(std::min<size_t>(a.size() + b.size(), kStrMaxLength + 1ULL)));
    result.Append(a);
    result.Append(b);
    return result;
}

Str operator+(const Str& a, const Str& b) {
    if (b.IsEmpty()) return a;
    if (a.IsEmpty()) return b;
    return Str::Concat(a.View(), b.View());
}

Str operator+(const Str& a, std::u16string_view b) {
    if (b.empty()) return a;
    return Str::Concat(a.View(), b);
}

Str operator+(std::u16string_view a, const Str& b) {
    if (a.empty()) return b;
    return Str::Concat(a, b.View());
}

Str operator+(const Str& a, const char16_t* b) { return a + OrEmpty(b); }
Str operator+(const char16_t* a, const Str& b) { return OrEmpty(a) + b; }

Str operator+(const Str& a, char16_t b) {
    return b ? a + std::u16string_view(&b, 1) : a;
}

Str operator+(char16_t a, const Str& b) {
    return a ? std::u16string_view(&a, 1) + b : b;
}
