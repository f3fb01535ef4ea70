#pragma once
// ContactBase: a contact's record identity and its values that are not text.
#include <cstdint>
#include <utility>

#include "core/str/Str.h"

class ContactBase {
public:
    ContactBase() = default;
    ContactBase(const ContactBase&) = default;
    ContactBase& operator=(const ContactBase&) = default;
    virtual ~ContactBase() = default;

    // Copies every field of this class from `other`.
    virtual void Assign(const ContactBase& other);
    // Identifier, both dates and the default dial tag equal.
    [[nodiscard]] virtual bool Equals(const ContactBase& other) const;
    [[nodiscard]] bool NotEquals(const ContactBase& other) const { return !Equals(other); }
    virtual void Clear();
    // Both dates 0 and the default dial tag 0.
    [[nodiscard]] virtual bool IsEmpty() const;

    // The record's object identifier, 0 for a contact not yet stored.
    uint32_t GetOid() const { return oid_; }
    void SetOid(uint32_t oid) { oid_ = oid; }
    // Dates as file times, 0 when none.
    uint64_t GetBirthday() const { return birthday_; }
    void SetBirthday(uint64_t fileTime) { birthday_ = fileTime; }
    uint64_t GetAnniversary() const { return anniversary_; }
    void SetAnniversary(uint64_t fileTime) { anniversary_ = fileTime; }
    // Property 0xF8: the default dial tag (which number a call to the contact uses).
    uint32_t GetDefaultTag() const { return defaultTag_; }
    void SetDefaultTag(uint32_t tag) { defaultTag_ = tag; }
    // Property 0x102, carried over for the platform's own contacts program.
    [[nodiscard]] bool GetFlag102() const { return flag102_; }
    void SetFlag102(bool set) { flag102_ = set; }
    // Property 0x103: the record is an entry of the SIM card, which the platform keeps beside the
    // phone's own contacts. A record without it, or with 0, is the phone's own.
    [[nodiscard]] bool IsFromSim() const { return fromSim_; }
    void SetFromSim(bool set) { fromSim_ = set; }
    // The contact's unique identifier (property 0x4000): a card's UID kept from its import, or a
    // UUID this system made (ContactUid.h); empty for a contact never stored nor imported. Like the
    // object identifier it is identity, not a value: Equals does not compare it.
    const Str& GetUid() const { return uid_; }
    void SetUid(Str uid) { uid_ = std::move(uid); }
    // When the contact last changed (property 0x4001), a file time; 0 when unknown.
    uint64_t GetRevision() const { return revision_; }
    void SetRevision(uint64_t fileTime) { revision_ = fileTime; }

protected:
    // The comparison of ContactBase::Equals without the identifier.
    [[nodiscard]] bool SameValues(const ContactBase& other) const;

private:
    uint32_t oid_ = 0;
    uint64_t anniversary_ = 0;
    uint64_t birthday_ = 0;
    uint32_t defaultTag_ = 0;
    bool flag102_ = false;
    bool fromSim_ = false;
    Str uid_;
    uint64_t revision_ = 0;
};
