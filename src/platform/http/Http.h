#pragma once
// HTTP for the system's reach beyond the device: one request at a time, answered in full or
// failed with a reason. The interface is plain C++ so that the protocol code above it is tested
// with a fake; MakeHttpClient gives the real one (Qt Network, system TLS certificates).
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plat {

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

struct HttpRequest {
    std::string method;  // "GET", "PUT", "PROPFIND", "REPORT" ...
    std::string url;     // absolute
    HttpHeaders headers;
    std::string body;
};

struct HttpResponse {
    int status = 0;     // 0: no answer (error says why)
    std::string error;  // the transport's failure: refused, reset, time-out, certificate, too large
    std::string url;    // the URL that answered (after redirects)
    HttpHeaders headers;
    std::string body;

    // The first header of that name (ASCII, case-insensitive), empty when none.
    [[nodiscard]] std::string Header(std::string_view name) const;
    [[nodiscard]] bool Answered() const { return status != 0; }
};

struct HttpSettings {
    std::string user;
    std::string password;               // for Basic and Digest, whichever the server asks for
    std::string caFile;                 // a PEM file of certificates trusted beside the system's; empty: none
    int timeoutMs = 30000;              // without a byte of progress
    size_t maxBody = size_t{64} << 20;  // larger answers fail ("too large")
    int maxRedirects = 5;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Sends the request and waits for the whole answer. Redirects (301, 302, 303, 307, 308) are
    // followed with the same method and body, at most maxRedirects hops; an answer of any status
    // is an answer. Never throws for a network failure: the response says it.
    virtual HttpResponse Send(const HttpRequest& request) = 0;
};

// The real client; it keeps connections alive between requests. Needs the process's event loop
// (EnsureApplication) and runs it while it waits.
std::unique_ptr<HttpClient> MakeHttpClient(const HttpSettings& settings);

// The URL `reference` resolves to against `base` (RFC 3986), e.g. an href of a multistatus.
std::string ResolveUrl(std::string_view base, std::string_view reference);

}  // namespace plat
