#pragma once
// ContactCustProps: a contact's further values, those that have no standard property in the
// contacts database (additional numbers, addresses, dates and so on), the address formats of the
// three standard addresses, and the contact's category identifiers.
//
// The lists, the format words and the categories are plain members: the editor fills them, the
// record codec (CustPropsCodec.h) stores everything but the categories, which live in the
// platform's category databases.
#include <cstdint>

#include "core/array/Array.h"
#include "core/str/Str.h"

// An entry of the six two-text lists: a label and its value.
struct CustText {
    Str label;
    Str value;
    [[nodiscard]] bool operator==(const CustText&) const = default;
};

// An additional instant-messaging entry: label, address and messenger type.
struct CustIm {
    Str label;
    Str value;
    Str type;
    [[nodiscard]] bool operator==(const CustIm&) const = default;
};

// An additional postal address: its address format and six texts, the label then the parts.
struct CustAddress {
    uint32_t format = 0;
    Str label;
    Str street;
    Str city;
    Str state;
    Str postalCode;
    Str country;
    [[nodiscard]] bool operator==(const CustAddress&) const = default;
};

// An additional date: a label and a file time.
struct CustDate {
    Str label;
    uint64_t date = 0;
    [[nodiscard]] bool operator==(const CustDate&) const = default;
};

class ContactCustProps {
public:
    ContactCustProps() = default;
    ContactCustProps(const ContactCustProps&) = default;
    ContactCustProps& operator=(const ContactCustProps&) = default;
    // A moved contact takes its lists' storage along: its strings are not copied.
    ContactCustProps(ContactCustProps&&) noexcept = default;
    ContactCustProps& operator=(ContactCustProps&&) noexcept = default;
    virtual ~ContactCustProps() = default;

    // The four format words and every list, the categories included.
    [[nodiscard]] virtual bool Equals(const ContactCustProps& other) const;
    [[nodiscard]] bool NotEquals(const ContactCustProps& other) const { return !Equals(other); }
    // Empties every list, zeroes the format words and forgets the categories.
    virtual void Clear();

    // True when all nine lists are empty.
    [[nodiscard]] bool ListsEmpty() const;
    // True when there is nothing for the record codec to keep: the lists are empty and the four
    // format words are 0.
    [[nodiscard]] bool NothingToStore() const;

    // Copies the stored values (lists and format words) from `other`; the categories stay.
    void AssignStored(const ContactCustProps& other);

    Array<CustText> phones;
    Array<CustText> emails;
    Array<CustText> webPages;
    Array<CustText> people;
    Array<CustText> ringtones;
    Array<CustText> others;
    Array<CustIm> ims;
    Array<CustAddress> addresses;
    Array<CustDate> dates;

    uint32_t homeAddressFormat = 0;
    uint32_t workAddressFormat = 0;
    uint32_t otherAddressFormat = 0;
    uint32_t fourthFormat = 0;

    // The category identifiers and whether they were read from the category store yet (they are
    // filled on first request and then kept).
    Array<uint32_t> categories;
    bool categoriesLoaded = false;
};

// Element-wise equality of two arrays.
template <typename T>
[[nodiscard]] bool SameElements(const Array<T>& a, const Array<T>& b) {
    if (a.GetSize() != b.GetSize()) return false;
    for (int i = 0; i < a.GetSize(); ++i) {
        if (!(a[i] == b[i])) return false;
    }
    return true;
}
