#include "sync/engine/SyncEngine.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace carddav {

namespace {

std::string TextOf(const VCard& card, std::string_view name) {
    for (const VCardProperty& p : card.properties) {
        if (p.name == name) return Str(p.Text()).ToUtf8();
    }
    return {};
}

std::string NameOf(const VCard& card) {
    const std::string name = TextOf(card, "FN");
    return name.empty() ? "(unnamed)" : name;
}

// The words of the name, lower-cased and sorted: "Smith Anna" and "anna SMITH" are one name.
std::string FoldedName(const VCard& card) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : TextOf(card, "FN") + " ") {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    std::sort(words.begin(), words.end());
    std::string folded;
    for (const std::string& w : words) folded += w + " ";
    return folded;
}

// The numbers (their last eight digits) and e-mail addresses (lower case) of a card.
std::set<std::string> ReachKeys(const VCard& card) {
    std::set<std::string> keys;
    for (const VCardProperty& p : card.properties) {
        const std::string text = Str(p.Text()).ToUtf8();
        if (p.name == "TEL") {
            std::string digits;
            for (const char c : text)
                if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
            if (digits.size() >= 4)
                keys.insert("tel:" + digits.substr(digits.size() > 8 ? digits.size() - 8 : 0));
        } else if (p.name == "EMAIL") {
            std::string lower = text;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            keys.insert("mailto:" + lower);
        }
    }
    return keys;
}

// The href of a new card: the UID, with every byte but letters, digits, '-', '_' and '.' escaped.
std::string NewCardUrl(const std::string& bookUrl, const std::string& uid) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = bookUrl.ends_with('/') ? bookUrl : bookUrl + "/";
    for (const unsigned char c : uid) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.')
            url += static_cast<char>(c);
        else
            url += std::string("%") + hex[c >> 4] + hex[c & 15];
    }
    return url + ".vcf";
}

}  // namespace

SyncEngine::Pending SyncEngine::MakePending(uint32_t oid, std::string uid, VCard projection) {
    Pending pending{oid, std::move(uid), std::move(projection), {}, {}, false};
    pending.folded = FoldedName(pending.projection);
    pending.keys = ReachKeys(pending.projection);
    return pending;
}

SyncEngine::SyncEngine(DavClient& dav, LocalContacts& local, std::string bookUrl,
                       std::filesystem::path stateFile)
    : dav_(dav), local_(local), bookUrl_(std::move(bookUrl)), stateFile_(std::move(stateFile)) {}

void SyncEngine::Run(SyncReport& report) {
    report_ = &report;
    state_ = SyncState::Load(stateFile_);
    const int64_t head = local_.JournalHead();
    try {
        ReadLocalChanges();
        PushDeletes();
        PushChanges();
        Save();
        Pull();
        PushNew();
        CatchUpOwnWrites();
    } catch (...) {
        report.requests = dav_.Requests();
        Save();
        throw;
    }
    state_.token = newToken_;
    if (head >= 0) state_.journal = head;
    Save();
    report.requests = dav_.Requests();
}

void SyncEngine::Save() { state_.Save(stateFile_); }

void SyncEngine::ReadLocalChanges() {
    std::map<uint32_t, SyncEntry*> byOid;
    std::map<std::string, SyncEntry*> pendingByUid;
    for (auto& [url, entry] : state_.byUrl) {
        if (entry.oid != 0)
            byOid[entry.oid] = &entry;
        else
            pendingByUid[entry.uid] = &entry;
    }
    const auto changed = local_.ChangedSince(state_.journal);
    std::set<uint32_t> candidates;
    if (changed) {
        candidates.insert(changed->begin(), changed->end());
    } else {
        const std::vector<uint32_t> all = local_.All();
        candidates.insert(all.begin(), all.end());
        for (const auto& [oid, entry] : byOid) candidates.insert(oid);
    }
    for (const uint32_t oid : candidates) {
        Contact contact;
        std::vector<Str> categories;
        const auto found = byOid.find(oid);
        SyncEntry* entry = found == byOid.end() ? nullptr : found->second;
        if (!local_.Read(oid, contact, categories)) {
            if (entry != nullptr) deleted_.push_back(oid);
            continue;
        }
        if (contact.IsFromSim()) continue;
        VCard projection = ProjectionOf(contact, categories);
        if (entry == nullptr) {
            // A contact stored from a card by a sync that ended before it could record it.
            const auto pending = pendingByUid.find(contact.GetUid().ToUtf8());
            if (pending == pendingByUid.end()) {
                created_.push_back(MakePending(oid, contact.GetUid().ToUtf8(), std::move(projection)));
                continue;
            }
            entry = pending->second;
            entry->oid = oid;
            pendingByUid.erase(pending);
        }
        if (ChangedHere(*entry, projection)) changed_.push_back(oid);
    }
}

void SyncEngine::PushDeletes() {
    for (const uint32_t oid : deleted_) {
        SyncEntry* entry = state_.ByOid(oid);
        if (entry == nullptr) continue;
        const WriteResult result = dav_.Delete(entry->url, entry->etag);
        if (result.kind == WriteResult::Done || result.kind == WriteResult::Gone) {
            if (result.kind == WriteResult::Done) ++report_->deletedThere;
            state_.byUrl.erase(entry->url);
        } else if (result.kind == WriteResult::Precondition) {
            // Changed on the server since: the edit outlives the delete, the card comes back.
            entry->oid = 0;
            refetch_.push_back(entry->url);
        } else {
            const std::optional<VCard> base = ParseCard(entry->base);
            report_->refused.push_back((base ? NameOf(*base) : entry->url) + ": not deleted, " +
                                       result.reason);
        }
    }
}

void SyncEngine::PushChanges() {
    for (const uint32_t oid : changed_) {
        SyncEntry* entry = state_.ByOid(oid);
        Contact contact;
        std::vector<Str> categories;
        if (entry == nullptr || !local_.Read(oid, contact, categories)) continue;
        const std::optional<VCard> base = ParseCard(entry->base);
        Upload(*entry, base ? &*base : nullptr, ProjectionOf(contact, categories), true);
        RecordLocal(*entry);
    }
}

void SyncEngine::Upload(SyncEntry& entry, const VCard* base, const VCard& local, bool mayRetry) {
    const std::string card = UploadCard(base, local);
    WriteResult result = dav_.Put(entry.url, card, entry.etag);
    std::vector<FetchedCard> server;
    if (result.kind == WriteResult::Precondition) server = dav_.Multiget(bookUrl_, {entry.url});
    if (result.kind == WriteResult::Gone ||
        (result.kind == WriteResult::Precondition && server.empty() && !entry.etag.empty())) {
        // Deleted on the server, changed here: the edited contact is kept, as a new card.
        entry.etag.clear();
        result = dav_.Put(entry.url, card, {});
    }
    if (result.kind == WriteResult::Done) {
        ++report_->sent;
        entry.etag = result.etag;
        entry.base = card;
        if (entry.etag.empty()) refetch_.push_back(entry.url);
        return;
    }
    if (result.kind == WriteResult::Precondition && !server.empty() && mayRetry) {
        if (const std::optional<VCard> serverCard = ParseCard(server.front().data)) {
            const std::optional<VCard> known = ParseCard(entry.base);
            MergeInto(entry, *serverCard, server.front(), known ? &*known : nullptr);
            return;
        }
    }
    report_->refused.push_back(NameOf(local) + ": " + result.reason);
}

void SyncEngine::MergeInto(SyncEntry& entry, const VCard& server, const FetchedCard& fetched,
                           const VCard* base) {
    const VCard serverProjection = Projection(server);
    Contact contact;
    std::vector<Str> categories;
    const bool here = entry.oid != 0 && local_.Read(entry.oid, contact, categories);
    const VCard localProjection = here ? ProjectionOf(contact, categories) : VCard{};
    if (!here || (base != nullptr && !ChangedHere(entry, localProjection))) {
        // New here, or unchanged here since the base: the server's card is taken whole.
        if (!here || !SameValues(localProjection, serverProjection)) {
            ImportedContact imported = ContactOf(server);
            entry.oid = local_.Write(imported, here ? entry.oid : 0);
            ++report_->received;
        }
    } else {
        const std::optional<VCard> baseProjection =
            base ? std::optional<VCard>(Projection(*base)) : std::nullopt;
        MergeResult merged =
            Merge(baseProjection ? &*baseProjection : nullptr, localProjection, serverProjection);
        KeepConflicts(merged.conflicts, entry.uid, NameOf(serverProjection));
        if (!SameValues(merged.card, localProjection)) {
            ImportedContact imported = ContactOf(merged.card);
            local_.Write(imported, entry.oid);
            ++report_->received;
        }
        entry.etag = fetched.etag;
        entry.base = fetched.data;
        if (!SameValues(merged.card, serverProjection)) {
            if (deferring_)
                deferred_.push_back({entry.url, server, std::move(merged.card)});
            else
                Upload(entry, &server, merged.card, false);
        }
        RecordLocal(entry);
        return;
    }
    entry.etag = fetched.etag;
    entry.base = fetched.data;
    RecordLocal(entry);
}

bool SyncEngine::ChangedHere(const SyncEntry& entry, const VCard& localProjection) {
    if (!entry.local.empty()) return entry.local != Fingerprint(localProjection);
    const std::optional<VCard> base = ParseCard(entry.base);
    return !base || !SameValues(Projection(*base), localProjection);
}

void SyncEngine::RecordLocal(SyncEntry& entry) {
    Contact contact;
    std::vector<Str> categories;
    if (entry.oid != 0 && local_.Read(entry.oid, contact, categories))
        entry.local = Fingerprint(ProjectionOf(contact, categories));
}

void SyncEngine::KeepConflicts(const std::vector<ValueConflict>& conflicts, const std::string& uid,
                               const std::string& name) {
    for (const ValueConflict& c : conflicts) {
        state_.conflicts.push_back({uid, name, c.property, c.localValue, c.serverValue, UtcNow()});
        ++report_->conflicts;
    }
}

void SyncEngine::Pull() {
    // A stored sync token says the address book lists by sync-collection: its properties (which
    // some servers compute over every card) are read only when there is none.
    if (!state_.token.empty() && !state_.token.starts_with(kCtagPrefix)) {
        book_.url = bookUrl_;
        book_.syncCollection = true;
    } else {
        book_ = dav_.Properties(bookUrl_);
    }
    const AddressBook& book = book_;
    if (book.url.empty()) throw DavError(bookUrl_ + " is no longer an address book");
    for (const auto& [url, entry] : state_.byUrl)
        if (entry.oid == 0) refetch_.push_back(url);
    if (book.syncCollection) {
        Listing listing = dav_.SyncCollection(bookUrl_, state_.token);
        const bool full = state_.token.empty() || listing.tokenInvalid;
        if (listing.tokenInvalid) listing = dav_.SyncCollection(bookUrl_, {});
        newToken_ = listing.token;
        Reconcile(listing, full, false);
        return;
    }
    newToken_ = book.ctag.empty() ? std::string() : kCtagPrefix + book.ctag;
    if (!newToken_.empty() && newToken_ == state_.token && refetch_.empty()) return;
    Reconcile(dav_.ListEtags(bookUrl_), true, true);
}

void SyncEngine::Reconcile(const Listing& listing, bool full, bool trustAbsence) {
    std::vector<std::string> fetch = refetch_;
    std::set<std::string> listed;
    for (const Member& member : listing.members) {
        listed.insert(member.url);
        const auto found = state_.byUrl.find(member.url);
        if (member.gone) {
            if (found != state_.byUrl.end()) {
                RemoveHere(found->second);
                state_.byUrl.erase(found);
            }
        } else if (found == state_.byUrl.end() || found->second.etag != member.etag ||
                   found->second.oid == 0) {
            fetch.push_back(member.url);
        }
    }
    if (full) {
        for (auto it = state_.byUrl.begin(); it != state_.byUrl.end();) {
            if (listed.contains(it->first)) {
                ++it;
                continue;
            }
            if (trustAbsence) {
                RemoveHere(it->second);
            } else if (it->second.oid != 0) {
                // Not listed after the token was refused: the contact stays and is sent again.
                Contact contact;
                std::vector<Str> categories;
                if (local_.Read(it->second.oid, contact, categories))
                    created_.push_back(MakePending(it->second.oid, contact.GetUid().ToUtf8(),
                                                   ProjectionOf(contact, categories)));
            }
            it = state_.byUrl.erase(it);
        }
    }
    std::sort(fetch.begin(), fetch.end());
    fetch.erase(std::unique(fetch.begin(), fetch.end()), fetch.end());
    for (size_t first = 0; first < fetch.size(); first += DavClient::kBatch) {
        const auto last =
            fetch.begin() + static_cast<long>(std::min(fetch.size(), first + DavClient::kBatch));
        Fetch({fetch.begin() + static_cast<long>(first), last});
    }
}

void SyncEngine::RemoveHere(const SyncEntry& entry) {
    if (entry.oid == 0) return;
    Contact contact;
    std::vector<Str> categories;
    if (!local_.Read(entry.oid, contact, categories)) return;
    if (ChangedHere(entry, ProjectionOf(contact, categories))) {
        // Changed here, deleted there: the edited contact stays and goes back as a new card.
        created_.push_back(
            MakePending(entry.oid, contact.GetUid().ToUtf8(), ProjectionOf(contact, categories)));
        return;
    }
    local_.Remove(entry.oid);
    ++report_->deletedHere;
}

void SyncEngine::Fetch(const std::vector<std::string>& urls) {
    const std::vector<FetchedCard> cards = dav_.Multiget(bookUrl_, urls);
    std::vector<std::pair<const FetchedCard*, VCard>> readable;
    for (const FetchedCard& card : cards) {
        std::optional<VCard> parsed = ParseCard(card.data);
        if (!parsed) {
            report_->refused.push_back(card.url + ": the server's card is not a readable vCard; left out");
            continue;
        }
        // A card new to this device is recorded before its contact is stored, so that a sync ended
        // in between links the contact to the card instead of sending it as a new one.
        if (!state_.byUrl.contains(card.url))
            state_.byUrl[card.url] = {
                MatchLocal(Projection(*parsed)), card.url, {}, TextOf(*parsed, "UID"), {}};
        readable.emplace_back(&card, std::move(*parsed));
    }
    Save();
    // The batch's contacts are stored in few commits; merges to send back wait until they are
    // committed, so that no store lock is held over a request.
    deferring_ = true;
    local_.Together([&] {
        for (const auto& [card, parsed] : readable) {
            SyncEntry& entry = state_.byUrl[card->url];
            const std::optional<VCard> base = entry.base.empty() ? std::nullopt : ParseCard(entry.base);
            MergeInto(entry, parsed, *card, base ? &*base : nullptr);
        }
    });
    deferring_ = false;
    Save();
    std::vector<Deferred> deferred = std::move(deferred_);
    deferred_.clear();
    for (const Deferred& upload : deferred) {
        SyncEntry& entry = state_.byUrl[upload.url];
        Upload(entry, &upload.server, upload.merged, false);
        RecordLocal(entry);
    }
    if (!deferred.empty()) Save();
}

uint32_t SyncEngine::MatchLocal(const VCard& server) {
    const std::string uid = TextOf(server, "UID");
    const std::string name = FoldedName(server);
    const std::set<std::string> keys = ReachKeys(server);
    const auto take = [](Pending& pending) {
        pending.matched = true;
        return pending.oid;
    };
    for (Pending& pending : created_) {
        if (!pending.matched && !uid.empty() && pending.uid == uid) return take(pending);
    }
    for (Pending& pending : created_) {
        if (pending.matched || pending.folded != name) continue;
        if (std::any_of(pending.keys.begin(), pending.keys.end(),
                        [&](const std::string& k) { return keys.contains(k); }))
            return take(pending);
    }
    return 0;
}

void SyncEngine::CatchUpOwnWrites() {
    if (!sentNew_ || newToken_.empty() || !book_.syncCollection) return;
    const Listing listing = dav_.SyncCollection(bookUrl_, newToken_);
    if (listing.tokenInvalid) return;
    refetch_.clear();
    Reconcile(listing, false, false);
    newToken_ = listing.token;
}

void SyncEngine::PushNew() {
    for (Pending& pending : created_) {
        if (pending.matched) continue;
        Contact contact;
        std::vector<Str> categories;
        if (!local_.Read(pending.oid, contact, categories)) continue;
        const std::string uid = local_.EnsureUid(contact);
        const std::string url = NewCardUrl(bookUrl_, uid);
        SyncEntry& entry = state_.byUrl[url];
        entry = {pending.oid, url, {}, uid, {}};
        Upload(entry, nullptr, ProjectionOf(contact, categories), true);
        RecordLocal(entry);
        const bool sent = !entry.etag.empty() || !entry.base.empty();
        if (!sent) state_.byUrl.erase(url);
        sentNew_ = sentNew_ || sent;
    }
}

}  // namespace carddav
