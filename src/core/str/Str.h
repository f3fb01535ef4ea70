#pragma once
// Str: the reference-counted UTF-16 string used for all text of the system.
//
// A Str is one pointer to its characters. Ahead of the characters, in the same heap block, stands
// a StrHeader (reference count, length, capacity in bytes, header included). The characters are
// always NUL-terminated, so the pointer can be handed to any call that takes a plain wide string.
// Copies share the block; a block is written in place only when it is not the shared empty block,
// its count is exactly 1 and its capacity covers the need; otherwise it is copied first.
//
// A negative reference count marks a block that must not be shared (see LockBuffer): copying such
// a string copies its characters.
//
// Reference counts are changed without locking: a Str belongs to one thread; hand another thread
// a copy made with Str(s.View()).
#include <compare>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/str/FormatArg.h"

struct StrHeader {
    int32_t refs;      // sharers of the block; negative: must not be shared
    int32_t length;    // characters in use, without the terminating NUL
    int32_t capacity;  // bytes of the block, this header included
};
static_assert(sizeof(StrHeader) == 12, "the string header is three 32-bit words");

class StringTable;

class Str {
public:
    Str() noexcept;
    Str(const Str& other);
    Str(Str&& other) noexcept;
    Str(const char16_t* text);  // NOLINT: texts convert implicitly; null gives the empty string
    Str(std::u16string_view text);  // NOLINT
    explicit Str(char16_t ch);      // 0 gives the empty string
    ~Str();

    Str& operator=(const Str& other);
    Str& operator=(Str&& other) noexcept;
    Str& operator=(const char16_t* text);
    Str& operator=(std::u16string_view text);

    // Conversions between this string and the host's UTF-8.
    static Str FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    // --- Access --------------------------------------------------------------------------------
    int GetLength() const noexcept { return Header()->length; }
    [[nodiscard]] bool IsEmpty() const noexcept { return Header()->length == 0; }
    operator const char16_t*() const noexcept { return data_; }  // NOLINT: always NUL-terminated
    const char16_t* c_str() const noexcept { return data_; }
    std::u16string_view View() const noexcept {
        return {data_, static_cast<size_t>(Header()->length)};
    }
    // A position outside the string yields NUL (and changes nothing).
    char16_t GetAt(int index) const noexcept;
    char16_t operator[](int index) const noexcept { return GetAt(index); }

    // The header of the block, for diagnostics and tests.
    int32_t RefCount() const noexcept { return Header()->refs; }
    int32_t Capacity() const noexcept { return Header()->capacity; }

    // --- Whole-string changes ------------------------------------------------------------------
    void Empty() noexcept;  // releases the block and becomes the shared empty string

    // Makes the block writable for at least `minChars` characters (never shrinks) and returns the
    // characters. The length is unchanged until ReleaseBuffer.
    char16_t* GetBuffer(int minChars);
    // Sets the length to `newLength`, or to the NUL-terminated length when -1, and writes the NUL.
    // A length beyond the block's room is cut to it.
    void ReleaseBuffer(int newLength = -1);
    // GetBuffer, then the length fixed at `length`.
    char16_t* GetBufferSetLength(int length);
    // Makes the block writable and unshareable (count -1) until UnlockBuffer. Any change made by a
    // Str operation rather than through the pointer replaces the block and ends the lock.
    char16_t* LockBuffer();
    void UnlockBuffer() noexcept;

    // --- Searching -----------------------------------------------------------------------------
    // First position of a character or a substring at or after `start`; -1 when absent or when
    // `start` is at or past the length. A negative start counts as 0.
    int Find(char16_t ch, int start = 0) const noexcept;
    int Find(const char16_t* sub, int start = 0) const noexcept;
    int Find(std::u16string_view sub, int start = 0) const noexcept;
    // First position of any character of `set` at or after `start`; -1 when none.
    int FindOneOf(std::u16string_view set, int start = 0) const noexcept;
    int FindOneOf(const char16_t* set, int start = 0) const noexcept;
    // Last position of a character, -1 when absent.
    int ReverseFind(char16_t ch) const noexcept;

    // --- Substrings (counts and positions clamped; the whole string is returned shared) --------
    Str Mid(int first) const;
    Str Mid(int first, int count) const;
    Str Left(int count) const;
    Str Right(int count) const;

    // --- In-place changes ----------------------------------------------------------------------
    void MakeLower();  // the platform's lower-casing, one UTF-16 unit at a time
    void MakeReverse();
    void SetAt(int index, char16_t ch);  // a position outside the string changes nothing
    void TrimLeft();                     // leading white space
    void TrimRight();                    // trailing white space
    void TrimRight(char16_t ch);         // trailing runs of `ch`

    // --- Append and concatenation --------------------------------------------------------------
    Str& operator+=(const Str& other);
    Str& operator+=(const char16_t* text);
    Str& operator+=(std::u16string_view text);
    Str& operator+=(char16_t ch);

    friend Str operator+(const Str& a, const Str& b);
    friend Str operator+(const Str& a, const char16_t* b);
    friend Str operator+(const char16_t* a, const Str& b);
    friend Str operator+(const Str& a, std::u16string_view b);
    friend Str operator+(std::u16string_view a, const Str& b);
    friend Str operator+(const Str& a, char16_t b);
    friend Str operator+(char16_t a, const Str& b);

    // --- Ordinal comparison (code units), for maps and tests -----------------------------------
    [[nodiscard]] friend bool operator==(const Str& a, const Str& b) noexcept { return a.View() == b.View(); }
    [[nodiscard]] friend bool operator==(const Str& a, const char16_t* b) noexcept {
        return a.View() == (b ? std::u16string_view(b) : std::u16string_view());
    }
    [[nodiscard]] friend bool operator==(const Str& a, std::u16string_view b) noexcept {
        return a.View() == b;
    }
    friend std::strong_ordering operator<=>(const Str& a, const Str& b) noexcept {
        return a.View() <=> b.View();
    }
    friend std::strong_ordering operator<=>(const Str& a, const char16_t* b) noexcept {
        return a.View() <=> (b ? std::u16string_view(b) : std::u16string_view());
    }
    friend std::strong_ordering operator<=>(const Str& a, std::u16string_view b) noexcept {
        return a.View() <=> b;
    }

    // --- Resources and formatting --------------------------------------------------------------
    // Loads resource string `id` from `module` (the program's own strings when null); true when
    // the string has at least one character. A failed load leaves the string empty, logs and
    // shows the tracer box.
    [[nodiscard]] bool LoadString(uint32_t id, const StringTable* module = nullptr);

    // printf-style formatting with the handheld's wide conventions: %s a string of either width,
    // %S likewise, %c a character, %d %i %o %u %x %X integers (I64 for 64-bit), %e %f %g %G
    // floating point, %p a pointer, %% a percent sign. Arguments are typed (see FormatArg), so
    // a mismatched or missing argument formats as an absent value instead of reading garbage.
    // Returns false, leaving the string unchanged, when the result would be unreasonably large.
    template <typename... Args>
    [[nodiscard]] bool Format(const char16_t* format, const Args&... args) {
        const FormatArg list[] = {FormatArg(args)..., FormatArg()};
        return FormatList(format, FormatArgs(list, sizeof...(Args)));
    }
    // The same with the format loaded from resource string `id` first; false, leaving the string
    // empty, when that string cannot be loaded.
    template <typename... Args>
    [[nodiscard]] bool FormatRes(uint32_t id, const Args&... args) {
        Str format;
        if (!format.LoadString(id)) {  // logged and traced
            Empty();
            return false;
        }
        return Format(format.c_str(), args...);
    }
    [[nodiscard]] bool FormatList(const char16_t* format, FormatArgs args);

private:
    StrHeader* Header() const noexcept {
        return reinterpret_cast<StrHeader*>(reinterpret_cast<char*>(data_) - sizeof(StrHeader));
    }
    [[nodiscard]] bool IsWritableFor(int chars) const noexcept;
    void Release() noexcept;
    void AssignText(std::u16string_view text);
    void CopyBeforeWrite();
    void Append(std::u16string_view text);
    static Str Concat(std::u16string_view a, std::u16string_view b);

    char16_t* data_;
};

// Bytes a block needs for `chars` characters: the header, the characters and the NUL.
constexpr int64_t StrBlockNeed(int64_t chars) { return (chars + 7) * 2; }
// Bytes a new block is given for `chars` characters: 64, 128 or 256 when the need is below
// them, otherwise the need or 512, whichever is larger.
constexpr int64_t StrBlockCapacity(int64_t chars) {
    const int64_t need = StrBlockNeed(chars);
    if (need < 64) return 64;
    if (need < 128) return 128;
    if (need < 256) return 256;
    return need > 512 ? need : 512;
}
// The longest string a block can hold (its capacity must fit the 32-bit header word).
inline constexpr int kStrMaxLength = (INT32_MAX / 2) - 7;
