#pragma once
// The CardDAV requests the sync makes, over a plat::HttpClient: discovery of the address book,
// its properties, the listing of its cards (sync-collection or a PROPFIND of the ETags), fetching
// cards in batches (addressbook-multiget) and the conditional writes. URLs are absolute and in one
// normal form (plat::ResolveUrl), so an href that two answers spell differently is one card.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/http/Http.h"

namespace carddav {

// A request failed or was answered in a way the sync cannot go on from; the message says which
// request and why (the transport's reason, or the status and the server's DAV:error).
class DavError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct AddressBook {
    std::string url;
    std::string syncToken;  // empty: the server offers no sync-collection
    std::string ctag;       // empty: none
    bool syncCollection = false;
    bool vcard4 = false;  // the server lists vCard 4.0 in supported-address-data
};

struct Member {
    std::string url;
    std::string etag;  // empty for a member that is gone
    bool gone = false;
};

struct Listing {
    std::vector<Member> members;
    std::string token;          // the token after the listing (sync-collection only)
    bool tokenInvalid = false;  // the stored token was refused: list everything and reconcile
};

struct FetchedCard {
    std::string url;
    std::string etag;
    std::string data;
};

// What a conditional write got: done (with the new ETag, empty when the server sent none), a
// precondition failure (the card changed or already exists), gone (404), or refused (the reason).
struct WriteResult {
    enum Kind { Done, Precondition, Gone, Refused } kind = Done;
    std::string etag;
    std::string reason;
};

class DavClient {
public:
    static constexpr size_t kBatch = 100;  // cards per addressbook-multiget

    explicit DavClient(plat::HttpClient& http) : http_(http) {}

    // The address book at `url`: the URL itself when it is one, else found through
    // /.well-known/carddav, the current user's principal and its addressbook-home-set; `wanted`
    // (an href or URL) chooses one of several, else the first.
    std::string Discover(const std::string& url, const std::string& wanted);
    AddressBook Properties(const std::string& bookUrl);
    // The changes since `token` (everything for an empty one), following truncated answers (507)
    // until the list is whole.
    Listing SyncCollection(const std::string& bookUrl, const std::string& token);
    // Every card with its ETag (for servers without sync-collection).
    Listing ListEtags(const std::string& bookUrl);
    // The cards of `urls` (at most kBatch); a card the server no longer has is left out.
    std::vector<FetchedCard> Multiget(const std::string& bookUrl, const std::vector<std::string>& urls);
    // A new card (`etag` empty: If-None-Match *) or an update (If-Match with `etag` as received).
    WriteResult Put(const std::string& url, const std::string& card, const std::string& etag);
    WriteResult Delete(const std::string& url, const std::string& etag);
    // The number of requests sent so far.
    [[nodiscard]] size_t Requests() const { return requests_; }

private:
    plat::HttpResponse Send(const std::string& method, const std::string& url, const std::string& body,
                            plat::HttpHeaders headers = {});
    std::vector<std::string> Books(const std::string& homeUrl);
    std::string HomeSet(const std::string& url);

    plat::HttpClient& http_;
    size_t requests_ = 0;
};

}  // namespace carddav
