#include "sync/dav/DavClient.h"

#include <algorithm>

#include "platform/xml/XmlTree.h"

namespace carddav {

namespace {

constexpr const char* kDav = "DAV:";
constexpr const char* kCard = "urn:ietf:params:xml:ns:carddav";
constexpr const char* kCs = "http://calendarserver.org/ns/";

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// "HTTP/1.1 404 Not Found" -> 404; 0 when unreadable.
int StatusOf(std::string_view line) {
    const auto space = line.find(' ');
    if (space == std::string_view::npos || space + 4 > line.size()) return 0;
    const std::string code(line.substr(space + 1, 3));
    return std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })
               ? std::stoi(code)
               : 0;
}

// The path of an absolute URL ("https://h:1/a/b" -> "/a/b"), for hrefs in request bodies.
std::string UrlPath(const std::string& url) {
    const auto scheme = url.find("://");
    const auto slash = scheme == std::string::npos ? std::string::npos : url.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : url.substr(slash);
}

// Names what the server said: the status, and the first element of its DAV:error when any.
std::string Reason(const plat::HttpResponse& response) {
    if (!response.Answered()) return response.error;
    std::string reason = "HTTP " + std::to_string(response.status);
    plat::XmlElement error;
    std::string ignored;
    if (plat::ParseXml(response.body, error, ignored) && error.name == "error" && !error.children.empty())
        reason += " (" + error.children.front().name + ")";
    return reason;
}

bool HasPrecondition(const plat::HttpResponse& response, std::string_view name) {
    plat::XmlElement error;
    std::string ignored;
    return plat::ParseXml(response.body, error, ignored) && error.Find(kDav, name) != nullptr;
}

plat::XmlElement Multistatus(const plat::HttpResponse& response, const std::string& what) {
    plat::XmlElement root;
    std::string error;
    if (!plat::ParseXml(response.body, root, error))
        throw DavError(what + ": the server's answer is not readable XML (" + error + ")");
    if (root.ns != kDav || root.name != "multistatus")
        throw DavError(what + ": the server's answer is no multistatus");
    return root;
}

// The props of a response element that came with status 200.
const plat::XmlElement* FoundProps(const plat::XmlElement& response) {
    for (const plat::XmlElement* propstat : response.Children(kDav, "propstat")) {
        const plat::XmlElement* status = propstat->Child(kDav, "status");
        if (status != nullptr && StatusOf(status->text) == 200) return propstat->Child(kDav, "prop");
    }
    return nullptr;
}

std::string HrefIn(const plat::XmlElement* element) {
    const plat::XmlElement* href = element == nullptr ? nullptr : element->Find(kDav, "href");
    return href == nullptr ? std::string() : Trim(href->text);
}

const std::string kPropfindBook =
    std::string(kXmlHead) +
    "<d:propfind xmlns:d=\"DAV:\" xmlns:cr=\"urn:ietf:params:xml:ns:carddav\" "
    "xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop><d:resourcetype/><d:sync-token/><cs:getctag/>"
    "<d:supported-report-set/><cr:supported-address-data/></d:prop></d:propfind>";

}  // namespace

plat::HttpResponse DavClient::Send(const std::string& method, const std::string& url, const std::string& body,
                                   plat::HttpHeaders headers) {
    if (!body.empty())
        headers.emplace_back("Content-Type", body.starts_with("BEGIN") ? "text/vcard; charset=utf-8"
                                                                       : "application/xml; charset=utf-8");
    ++requests_;
    plat::HttpResponse response = http_.Send({method, url, std::move(headers), body});
    if (!response.Answered()) throw DavError(method + " " + url + ": " + response.error);
    if (response.status == 401)
        throw DavError(method + " " + url + ": the server refused the user name or password");
    return response;
}

std::string DavClient::HomeSet(const std::string& url) {
    const std::string principalBody =
        std::string(kXmlHead) +
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:current-user-principal/></d:prop></d:propfind>";
    plat::HttpResponse answer = Send("PROPFIND", url, principalBody, {{"Depth", "0"}});
    if (answer.status != 207)
        throw DavError("PROPFIND " + url + ": " + Reason(answer) + "; is this a CardDAV server?");
    const plat::XmlElement principalAnswer = Multistatus(answer, "PROPFIND " + url);
    const std::string principal = HrefIn(principalAnswer.Find(kDav, "current-user-principal"));
    const std::string principalUrl = principal.empty() ? answer.url : plat::ResolveUrl(answer.url, principal);
    const std::string homeBody =
        std::string(kXmlHead) +
        "<d:propfind xmlns:d=\"DAV:\" "
        "xmlns:cr=\"urn:ietf:params:xml:ns:carddav\"><d:prop><cr:addressbook-home-set/>"
        "</d:prop></d:propfind>";
    answer = Send("PROPFIND", principalUrl, homeBody, {{"Depth", "0"}});
    const plat::XmlElement homeAnswer = Multistatus(answer, "PROPFIND " + principalUrl);
    const std::string home = HrefIn(homeAnswer.Find(kCard, "addressbook-home-set"));
    if (home.empty()) throw DavError(principalUrl + " names no address book home (addressbook-home-set)");
    return plat::ResolveUrl(answer.url, home);
}

std::vector<std::string> DavClient::Books(const std::string& homeUrl) {
    const plat::HttpResponse answer = Send("PROPFIND", homeUrl, kPropfindBook, {{"Depth", "1"}});
    if (answer.status != 207) throw DavError("PROPFIND " + homeUrl + ": " + Reason(answer));
    std::vector<std::string> books;
    const plat::XmlElement root = Multistatus(answer, "PROPFIND " + homeUrl);
    for (const plat::XmlElement* response : root.Children(kDav, "response")) {
        const plat::XmlElement* props = FoundProps(*response);
        const plat::XmlElement* type = props == nullptr ? nullptr : props->Child(kDav, "resourcetype");
        if (type != nullptr && type->Child(kCard, "addressbook") != nullptr)
            books.push_back(plat::ResolveUrl(answer.url, HrefIn(response)));
    }
    return books;
}

std::string DavClient::Discover(const std::string& url, const std::string& wanted) {
    if (!wanted.empty()) {
        const std::string chosen = plat::ResolveUrl(url, wanted);
        if (Properties(chosen).url.empty()) throw DavError(chosen + " is not an address book");
        return chosen;
    }
    {
        const plat::HttpResponse answer = Send("PROPFIND", url, kPropfindBook, {{"Depth", "0"}});
        if (answer.status == 207) {
            const plat::XmlElement root = Multistatus(answer, "PROPFIND " + url);
            const plat::XmlElement* type = root.Find(kDav, "resourcetype");
            if (type != nullptr && type->Child(kCard, "addressbook") != nullptr) return answer.url;
        }
    }
    // The homes to look in: the principal's found through the well-known address, the one found
    // from the URL given, and the URL itself as a home (a server that names no principal).
    std::vector<std::string> homes;
    for (const std::string& start : {plat::ResolveUrl(url, "/.well-known/carddav"), url}) {
        try {
            homes.push_back(HomeSet(start));
        } catch (const DavError&) {
        }
    }
    homes.push_back(url);
    std::string tried;
    for (const std::string& home : homes) {
        try {
            const std::vector<std::string> books = Books(home);
            if (!books.empty()) return books.front();
        } catch (const DavError&) {
        }
        tried += (tried.empty() ? "" : ", ") + home;
    }
    throw DavError("no address book was found (looked in " + tried + ")");
}

AddressBook DavClient::Properties(const std::string& bookUrl) {
    const plat::HttpResponse answer = Send("PROPFIND", bookUrl, kPropfindBook, {{"Depth", "0"}});
    if (answer.status != 207) throw DavError("PROPFIND " + bookUrl + ": " + Reason(answer));
    const plat::XmlElement root = Multistatus(answer, "PROPFIND " + bookUrl);
    AddressBook book;
    const plat::XmlElement* type = root.Find(kDav, "resourcetype");
    if (type == nullptr || type->Child(kCard, "addressbook") == nullptr) return book;
    book.url = answer.url;
    if (const plat::XmlElement* token = root.Find(kDav, "sync-token")) book.syncToken = Trim(token->text);
    if (const plat::XmlElement* ctag = root.Find(kCs, "getctag")) book.ctag = Trim(ctag->text);
    if (const plat::XmlElement* reports = root.Find(kDav, "supported-report-set"))
        book.syncCollection = reports->Find(kDav, "sync-collection") != nullptr;
    if (const plat::XmlElement* data = root.Find(kCard, "supported-address-data")) {
        (void)data;
        book.vcard4 = answer.body.find("version=\"4.0\"") != std::string::npos;
    }
    return book;
}

Listing DavClient::SyncCollection(const std::string& bookUrl, const std::string& token) {
    Listing listing;
    listing.token = token;
    for (int round = 0; round < 10000; ++round) {
        const std::string body =
            std::string(kXmlHead) + "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
            plat::XmlEscape(listing.token) +
            "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
        const plat::HttpResponse answer = Send("REPORT", bookUrl, body, {{"Depth", "0"}});
        if ((answer.status == 403 && HasPrecondition(answer, "valid-sync-token")) || answer.status == 409 ||
            (answer.status >= 400 && !listing.token.empty() && round == 0 && answer.status != 401)) {
            listing.tokenInvalid = true;
            listing.members.clear();
            return listing;
        }
        if (answer.status != 207) throw DavError("REPORT sync-collection " + bookUrl + ": " + Reason(answer));
        const plat::XmlElement root = Multistatus(answer, "REPORT sync-collection " + bookUrl);
        bool truncated = false;
        for (const plat::XmlElement* response : root.Children(kDav, "response")) {
            const std::string href = HrefIn(response);
            const std::string url = plat::ResolveUrl(answer.url, href);
            const plat::XmlElement* status = response->Child(kDav, "status");
            const int code = status == nullptr ? 200 : StatusOf(status->text);
            if (url == answer.url || UrlPath(url) == UrlPath(answer.url)) {
                truncated = truncated || code == 507;
                continue;
            }
            Member member{url, {}, code == 404};
            if (const plat::XmlElement* props = FoundProps(*response))
                if (const plat::XmlElement* etag = props->Child(kDav, "getetag"))
                    member.etag = Trim(etag->text);
            if (!member.gone && member.etag.empty()) continue;
            listing.members.push_back(std::move(member));
        }
        const plat::XmlElement* next = root.Child(kDav, "sync-token");
        if (next == nullptr)
            throw DavError("REPORT sync-collection " + bookUrl + ": the answer has no sync-token");
        listing.token = Trim(next->text);
        if (!truncated) return listing;
    }
    throw DavError("REPORT sync-collection " + bookUrl + ": the listing does not end");
}

Listing DavClient::ListEtags(const std::string& bookUrl) {
    const std::string body =
        std::string(kXmlHead) +
        "<d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/><d:getetag/></d:prop></d:propfind>";
    const plat::HttpResponse answer = Send("PROPFIND", bookUrl, body, {{"Depth", "1"}});
    if (answer.status != 207) throw DavError("PROPFIND " + bookUrl + ": " + Reason(answer));
    Listing listing;
    const plat::XmlElement root = Multistatus(answer, "PROPFIND " + bookUrl);
    for (const plat::XmlElement* response : root.Children(kDav, "response")) {
        const std::string url = plat::ResolveUrl(answer.url, HrefIn(response));
        const plat::XmlElement* props = FoundProps(*response);
        const plat::XmlElement* etag = props == nullptr ? nullptr : props->Child(kDav, "getetag");
        if (UrlPath(url) == UrlPath(answer.url) || etag == nullptr) continue;
        listing.members.push_back({url, Trim(etag->text), false});
    }
    return listing;
}

std::vector<FetchedCard> DavClient::Multiget(const std::string& bookUrl,
                                             const std::vector<std::string>& urls) {
    std::string body = std::string(kXmlHead) +
                       "<cr:addressbook-multiget xmlns:d=\"DAV:\" "
                       "xmlns:cr=\"urn:ietf:params:xml:ns:carddav\"><d:prop><d:getetag/>"
                       "<cr:address-data content-type=\"text/vcard\" version=\"3.0\"/></d:prop>";
    for (const std::string& url : urls) body += "<d:href>" + plat::XmlEscape(UrlPath(url)) + "</d:href>";
    body += "</cr:addressbook-multiget>";
    const plat::HttpResponse answer = Send("REPORT", bookUrl, body, {{"Depth", "1"}});
    if (answer.status != 207)
        throw DavError("REPORT addressbook-multiget " + bookUrl + ": " + Reason(answer));
    std::vector<FetchedCard> cards;
    const plat::XmlElement root = Multistatus(answer, "REPORT addressbook-multiget " + bookUrl);
    for (const plat::XmlElement* response : root.Children(kDav, "response")) {
        const plat::XmlElement* props = FoundProps(*response);
        const plat::XmlElement* etag = props == nullptr ? nullptr : props->Child(kDav, "getetag");
        const plat::XmlElement* data = props == nullptr ? nullptr : props->Child(kCard, "address-data");
        if (etag == nullptr || data == nullptr) continue;
        cards.push_back({plat::ResolveUrl(answer.url, HrefIn(response)), Trim(etag->text), data->text});
    }
    return cards;
}

WriteResult DavClient::Put(const std::string& url, const std::string& card, const std::string& etag) {
    plat::HttpHeaders headers;
    if (etag.empty())
        headers.emplace_back("If-None-Match", "*");
    else
        headers.emplace_back("If-Match", etag);
    const plat::HttpResponse answer = Send("PUT", url, card, std::move(headers));
    if (answer.status >= 200 && answer.status < 300) return {WriteResult::Done, answer.Header("ETag"), {}};
    if (answer.status == 412) return {WriteResult::Precondition, {}, Reason(answer)};
    if (answer.status == 404 && !etag.empty()) return {WriteResult::Gone, {}, {}};
    if (answer.status >= 500 && answer.status != 507) throw DavError("PUT " + url + ": " + Reason(answer));
    return {WriteResult::Refused, {}, Reason(answer)};
}

WriteResult DavClient::Delete(const std::string& url, const std::string& etag) {
    plat::HttpHeaders headers;
    if (!etag.empty()) headers.emplace_back("If-Match", etag);
    const plat::HttpResponse answer = Send("DELETE", url, {}, std::move(headers));
    if (answer.status >= 200 && answer.status < 300) return {WriteResult::Done, {}, {}};
    if (answer.status == 404 || answer.status == 410) return {WriteResult::Gone, {}, {}};
    if (answer.status == 412) return {WriteResult::Precondition, {}, Reason(answer)};
    if (answer.status >= 500) throw DavError("DELETE " + url + ": " + Reason(answer));
    return {WriteResult::Refused, {}, Reason(answer)};
}

}  // namespace carddav
