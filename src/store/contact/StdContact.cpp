#include "store/contact/StdContact.h"

#include <initializer_list>

#include "store/contact/Trim.h"

void StdContact::Clear() {
    ContactBase::Clear();
    for (Str& text : texts_) text.Empty();
    recordId_ = 0;
    picture_ = ContactPicture();
    note_ = ByteBlock();
}

bool StdContact::IsEmpty() const {
    for (const Str& text : texts_) {
        if (!text.IsEmpty()) return false;
    }
    return ContactBase::IsEmpty() && picture_.ImageBytes().IsEmpty() && note_.IsEmpty();
}

const Str& StdContact::GetText(int field) const {
    static const Str kEmpty;
    if (field < 0 || field >= kTextFieldCount) return kEmpty;
    return texts_[static_cast<size_t>(field)];
}

void StdContact::SetText(int field, const Str& text) {
    if (field < 0 || field >= kTextFieldCount) return;
    texts_[static_cast<size_t>(field)] = text;
}

Str StdContact::GetNoteText() const {
    const auto bytes = note_.Bytes();
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return Str(text);
}

Str StdContact::GetDisplayName() const {
    const Str last = TrimBoth(GetText(kFieldLast));
    const Str first = TrimBoth(GetText(kFieldFirst));
    if (!last.IsEmpty()) return first.IsEmpty() ? last : last + u", " + first;
    for (int field : {kFieldFirst, kFieldCompany, kFieldMiddle, kFieldTitle, kFieldSuffix}) {
        Str part = TrimBoth(GetText(field));
        if (!part.IsEmpty()) return part;
    }
    return Str();
}

Str StdContact::GetFormattedName() const {
    Str name;
    for (int field : {kFieldTitle, kFieldFirst, kFieldMiddle, kFieldLast, kFieldSuffix}) {
        const Str part = TrimBoth(GetText(field));
        if (part.IsEmpty()) continue;
        if (!name.IsEmpty()) name += u' ';
        name += part;
    }
    return name.IsEmpty() ? TrimBoth(GetText(kFieldCompany)) : name;
}

bool StdContact::SameStandardValues(const StdContact& other) const {
    return texts_ == other.texts_ && picture_ == other.picture_ && note_ == other.note_;
}
