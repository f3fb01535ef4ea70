// The CardDAV requests against a scripted server: listings cut by 507 are followed to the end,
// a refused token is told, hostile answers fail with a message, and writes carry the conditions.
#include <gtest/gtest.h>

#include <deque>

#include "sync/dav/DavClient.h"

namespace carddav {
namespace {

constexpr const char* kBook = "http://dav.test/anna/book/";

// Answers the requests in order with the answers it was given, and keeps the requests.
class ScriptedHttp : public plat::HttpClient {
public:
    void Answer(int status, std::string body) {
        answers_.push_back({status, {}, kBook, {}, std::move(body)});
    }
    plat::HttpResponse Send(const plat::HttpRequest& request) override {
        requests.push_back(request);
        if (answers_.empty()) return {0, "connection reset", request.url, {}, {}};
        plat::HttpResponse answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    std::vector<plat::HttpRequest> requests;

private:
    std::deque<plat::HttpResponse> answers_;
};

std::string Member(const std::string& href, const std::string& etag) {
    return "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>" + etag +
           "</d:getetag></d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

std::string Multistatus(const std::string& inner) {
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:c=\"urn:ietf:params:xml:ns:carddav\">" +
           inner + "</d:multistatus>";
}

std::string Header(const plat::HttpRequest& request, const std::string& name) {
    for (const auto& [key, value] : request.headers)
        if (key == name) return value;
    return {};
}

TEST(DavClientTest, FollowsATruncatedSyncListingToItsEnd) {
    ScriptedHttp http;
    http.Answer(207,
                Multistatus(Member("/anna/book/a.vcf", "\"1\"") +
                            "<d:response><d:href>/anna/book/</d:href><d:status>HTTP/1.1 507 Insufficient "
                            "Storage</d:status></d:response><d:sync-token>t2</d:sync-token>"));
    http.Answer(207,
                Multistatus("<d:response><d:href>/anna/book/b%20c.vcf</d:href><d:status>HTTP/1.1 404 Not "
                            "Found</d:status></d:response><d:sync-token>t3</d:sync-token>"));
    DavClient dav(http);
    const Listing listing = dav.SyncCollection(kBook, "t1");
    ASSERT_EQ(listing.members.size(), 2u);
    EXPECT_EQ(listing.members[0].url, "http://dav.test/anna/book/a.vcf");
    EXPECT_EQ(listing.members[0].etag, "\"1\"");
    EXPECT_TRUE(listing.members[1].gone);
    EXPECT_EQ(listing.token, "t3");
    ASSERT_EQ(http.requests.size(), 2u);
    EXPECT_NE(http.requests[1].body.find("<d:sync-token>t2</d:sync-token>"), std::string::npos);
}

TEST(DavClientTest, TellsARefusedToken) {
    for (const int status : {403, 409}) {
        ScriptedHttp http;
        http.Answer(status, "<d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>");
        DavClient dav(http);
        EXPECT_TRUE(dav.SyncCollection(kBook, "old").tokenInvalid) << status;
    }
}

TEST(DavClientTest, HostileOrBrokenAnswersFailWithAMessage) {
    const std::string entities =
        "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaa\">]><d:multistatus "
        "xmlns:d=\"DAV:\">&a;</d:multistatus>";
    std::string deep;
    for (int i = 0; i < 100; ++i) deep = "<d:x>" + deep + "</d:x>";
    for (const std::string& body : {std::string("<d:multistatus xmlns:d=\"DAV:\"><d:response>"), entities,
                                    Multistatus(deep), std::string("not xml at all")}) {
        ScriptedHttp http;
        http.Answer(207, body);
        DavClient dav(http);
        EXPECT_THROW(dav.ListEtags(kBook), DavError) << body;
    }
    ScriptedHttp silent;
    DavClient dav(silent);
    try {
        dav.ListEtags(kBook);
        FAIL() << "no error";
    } catch (const DavError& error) {
        EXPECT_NE(std::string(error.what()).find("connection reset"), std::string::npos);
    }
}

TEST(DavClientTest, MultigetLeavesOutMissingCardsAndWritesAreConditional) {
    ScriptedHttp http;
    http.Answer(
        207, Multistatus(
                 "<d:response><d:href>/anna/book/a.vcf</d:href><d:propstat><d:prop><d:getetag>\"9\"</"
                 "d:getetag><c:address-data>BEGIN:VCARD&#13;\nEND:VCARD</c:address-data></d:prop><d:status>"
                 "HTTP/1.1 200 OK</d:status></d:propstat></d:response><d:response><d:href>/anna/book/"
                 "gone.vcf</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"));
    http.Answer(412, "");
    http.Answer(201, "");
    http.Answer(404, "");
    http.Answer(403,
                "<d:error xmlns:d=\"DAV:\" "
                "xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><c:no-uid-conflict/></d:error>");
    DavClient dav(http);
    const std::vector<FetchedCard> cards =
        dav.Multiget(kBook, {"http://dav.test/anna/book/a.vcf", "http://dav.test/anna/book/gone.vcf"});
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0].etag, "\"9\"");
    EXPECT_EQ(cards[0].data, "BEGIN:VCARD\r\nEND:VCARD");
    EXPECT_EQ(dav.Put("http://dav.test/anna/book/a.vcf", "BEGIN:VCARD", "\"8\"").kind,
              WriteResult::Precondition);
    EXPECT_EQ(Header(http.requests[1], "If-Match"), "\"8\"");
    EXPECT_EQ(dav.Put("http://dav.test/anna/book/n.vcf", "BEGIN:VCARD", "").kind, WriteResult::Done);
    EXPECT_EQ(Header(http.requests[2], "If-None-Match"), "*");
    EXPECT_EQ(dav.Delete("http://dav.test/anna/book/a.vcf", "\"9\"").kind, WriteResult::Gone);
    const WriteResult refused = dav.Put("http://dav.test/anna/book/m.vcf", "BEGIN:VCARD", "");
    EXPECT_EQ(refused.kind, WriteResult::Refused);
    EXPECT_EQ(refused.reason, "HTTP 403 (no-uid-conflict)");
}

}  // namespace
}  // namespace carddav
