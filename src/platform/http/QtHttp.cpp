// The HTTP client on Qt Network. Qt's own redirect handling turns a redirected PROPFIND or REPORT
// into a GET, so redirects are followed here, by hand, with the method and body kept.
#include <QAuthenticator>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/http/Http.h"
#include "platform/loop/EventLoop.h"

namespace plat {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

class QtHttpClient final : public HttpClient {
public:
    explicit QtHttpClient(HttpSettings settings) : settings_(std::move(settings)) {
        EnsureApplication();
        manager_ = std::make_unique<QNetworkAccessManager>();
        QObject::connect(manager_.get(), &QNetworkAccessManager::authenticationRequired,
                         [this](QNetworkReply*, QAuthenticator* auth) { Authenticate(auth); });
    }

    HttpResponse Send(const HttpRequest& request) override {
        HttpResponse response;
        if (request.url.starts_with("https:")) LoadTls();
        if (!caReadable_) {
            response.error = "no certificate could be read from " + settings_.caFile;
            return response;
        }
        std::string url = request.url;
        for (int hop = 0; hop <= settings_.maxRedirects; ++hop) {
            response = SendOnce(request, url);
            if (!IsRedirect(response.status)) return response;
            const std::string location = response.Header("Location");
            if (location.empty()) return response;
            url = ResolveUrl(url, location);
        }
        response = HttpResponse{};
        response.error = "too many redirects from " + request.url;
        return response;
    }

private:
    // The TLS settings, made on the first https request (Qt loads its TLS backend then).
    void LoadTls() {
        if (tls_) return;
        tls_ = QSslConfiguration::defaultConfiguration();
        if (settings_.caFile.empty()) return;
        const QList<QSslCertificate> extra =
            QSslCertificate::fromPath(QString::fromStdString(settings_.caFile), QSsl::Pem);
        caReadable_ = !extra.isEmpty();
        QList<QSslCertificate> all = tls_->caCertificates();
        all.append(extra);
        tls_->setCaCertificates(all);
    }

    void Authenticate(QAuthenticator* auth) {
        // Credentials are offered once a request: a second ask means they were refused, and
        // the 401 answer then says so instead of a loop of asks.
        if (authOffered_ || settings_.user.empty()) return;
        authOffered_ = true;
        auth->setUser(QString::fromStdString(settings_.user));
        auth->setPassword(QString::fromStdString(settings_.password));
    }

    HttpResponse SendOnce(const HttpRequest& request, const std::string& url) {
        HttpResponse response;
        response.url = url;
        QNetworkRequest qrequest{QUrl(QString::fromStdString(url))};
        qrequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                              QNetworkRequest::ManualRedirectPolicy);
        if (tls_) qrequest.setSslConfiguration(*tls_);
        for (const auto& [name, value] : request.headers)
            qrequest.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
        authOffered_ = false;
        QNetworkReply* reply = manager_->sendCustomRequest(
            qrequest, QByteArray::fromStdString(request.method), QByteArray::fromStdString(request.body));
        std::string tlsError;
        QObject::connect(reply, &QNetworkReply::sslErrors, [&tlsError](const QList<QSslError>& errors) {
            if (!errors.isEmpty()) tlsError = errors.first().errorString().toStdString();
        });
        Wait(*reply, response);
        if (response.error.empty() && reply->error() != QNetworkReply::NoError &&
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isNull()) {
            response.error = tlsError.empty() ? reply->errorString().toStdString()
                                              : "the server's certificate is not trusted (" + tlsError +
                                                    "); give its CA with --ca-file";
        }
        if (response.error.empty()) {
            response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            for (const auto& [name, value] : reply->rawHeaderPairs())
                response.headers.emplace_back(name.toStdString(), value.toStdString());
        } else {
            response.body.clear();
        }
        reply->deleteLater();
        return response;
    }

    // Runs the loop until the reply finished, read nothing for the time-out, or grew too large.
    void Wait(QNetworkReply& reply, HttpResponse& response) {
        QEventLoop loop;
        QTimer idle;
        idle.setSingleShot(true);
        idle.setInterval(settings_.timeoutMs);
        QObject::connect(&idle, &QTimer::timeout, [&] {
            response.error = "no answer within " + std::to_string(settings_.timeoutMs / 1000) + " s";
            reply.abort();
        });
        QObject::connect(&reply, &QNetworkReply::readyRead, [&] {
            idle.start();
            const QByteArray chunk = reply.readAll();
            if (response.body.size() + static_cast<size_t>(chunk.size()) > settings_.maxBody) {
                response.error =
                    "the answer is larger than " + std::to_string(settings_.maxBody >> 20) + " MB";
                reply.abort();
                return;
            }
            response.body.append(chunk.constData(), static_cast<size_t>(chunk.size()));
        });
        QObject::connect(&reply, &QNetworkReply::uploadProgress, [&] { idle.start(); });
        QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        idle.start();
        if (!reply.isFinished()) loop.exec();
        if (response.error.empty()) {
            const QByteArray rest = reply.readAll();
            response.body.append(rest.constData(), static_cast<size_t>(rest.size()));
        }
    }

    HttpSettings settings_;
    std::unique_ptr<QNetworkAccessManager> manager_;  // made once the application object exists
    std::optional<QSslConfiguration> tls_;
    bool caReadable_ = true;
    bool authOffered_ = false;
};

}  // namespace

std::string HttpResponse::Header(std::string_view name) const {
    for (const auto& [key, value] : headers) {
        if (SameName(key, name)) return value;
    }
    return {};
}

std::unique_ptr<HttpClient> MakeHttpClient(const HttpSettings& settings) {
    return std::make_unique<QtHttpClient>(settings);
}

std::string ResolveUrl(std::string_view base, std::string_view reference) {
    const QUrl resolved =
        QUrl(QString::fromUtf8(base.data(), static_cast<qsizetype>(base.size())))
            .resolved(QUrl(QString::fromUtf8(reference.data(), static_cast<qsizetype>(reference.size()))));
    return resolved.toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace plat
