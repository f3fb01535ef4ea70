#include "app/callerid/CallWatcher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <exception>
#include <sstream>

#include "app/cli/Session.h"
#include "core/diag/ErrorLog.h"
#include "host/callerid/CallerNotice.h"
#include "host/share/SharedBook.h"
#include "platform/device/Device.h"
#include "platform/pom/ProgramLog.h"

namespace {

const QString kModemService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kVoiceInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Voice");
const QString kCallInterface = QStringLiteral("org.freedesktop.ModemManager1.Call");
constexpr uint32_t kIncoming = 1;
constexpr int32_t kRingingIn = 3;
constexpr int kBusTimeoutMs = 5000;
constexpr int kNoticeTimeoutMs = 30000;
constexpr std::u16string_view kProgram = u"brevane-callerid";

std::u16string Text(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), text.size());
}
QString ToQ(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void Log(std::u16string_view event, std::initializer_list<std::u16string> args) {
    const std::vector<std::u16string> list(args);
    if (!plat::LogLibraryCall(kProgram, event, list))
        ErrorLog(u"The program log cannot be written", "CallWatcher", __LINE__);
}

// The picture as a file the notification service can read; empty when there is none.
QString PictureFile(const CallerNotice& notice) {
    if (notice.picture.empty()) return {};
    const std::filesystem::path file = plat::CurrentDevice().NamespacePath(u"callerid-picture");
    const std::string_view bytes(reinterpret_cast<const char*>(notice.picture.data()), notice.picture.size());
    return WriteFileWhole(file, bytes) ? QString::fromStdString(file.string()) : QString();
}

}  // namespace

CallWatcher::CallWatcher(std::filesystem::path root, QObject* parent)
    : QObject(parent), root_(std::move(root)) {}

bool CallWatcher::Start() {
    // Any sender: the interface is ModemManager's own, and a modem manager that starts after this
    // program is heard as well.
    QDBusConnection bus = QDBusConnection::systemBus();
    return bus.isConnected() &&
           bus.connect(QString(), QString(), kVoiceInterface, QStringLiteral("CallAdded"), this,
                       SLOT(OnCallAdded(QDBusMessage)));
}

void CallWatcher::OnCallAdded(const QDBusMessage& signal) {
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.isEmpty()) return;
    const QString path = arguments.front().value<QDBusObjectPath>().path();
    if (path.isEmpty()) return;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kModemService, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    get << kCallInterface;
    auto* pending =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(get, kBusTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, path](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QVariantMap> reply = *finished;
                if (reply.isError()) {
                    Log(u"call gone", {Text(path), Text(reply.error().message())});
                    return;
                }
                OnCallProperties(path, reply.value());
            });
}

void CallWatcher::OnCallProperties(const QString& call, const QVariantMap& properties) {
    if (properties.value(QStringLiteral("Direction")).toUInt() != kIncoming ||
        properties.value(QStringLiteral("State")).toInt() != kRingingIn) {
        return;
    }
    const QString number = properties.value(QStringLiteral("Number")).toString();
    try {
        std::ostringstream out, err;
        cli::Context context{root_, out, err};
        cli::Session session(context);
        if (Status opened = session.Open(); !opened) {
            Log(u"lookup failed", {Text(number), Text(QString::fromStdString(cli::MessageOf(opened)))});
            return;
        }
        const CallerNotice notice = IdentifyCaller(session.Manager(), session.Search(), Text(number));
        if (notice.hangUp) {
            HangUp(call, number);
        } else {
            Notify(notice);
        }
    } catch (const std::exception& error) {
        Log(u"lookup failed", {Text(number), Text(QString::fromUtf8(error.what()))});
    }
}

void CallWatcher::Notify(const CallerNotice& notice) {
    QVariantMap hints;
    hints.insert(QStringLiteral("category"), QStringLiteral("call.incoming"));
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2)));
    if (!notice.ringtone.empty()) hints.insert(QStringLiteral("sound-file"), ToQ(notice.ringtone));
    if (const QString picture = PictureFile(notice); !picture.isEmpty())
        hints.insert(QStringLiteral("image-path"), picture);
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QStringLiteral("Brevane") << 0u << QStringLiteral("call-start") << ToQ(notice.summary)
           << ToQ(notice.body) << QStringList() << hints << kNoticeTimeoutMs;
    // A desktop without a notification service shows nothing; the call rings as before.
    (void)QDBusConnection::sessionBus().asyncCall(notify, kBusTimeoutMs);
}

void CallWatcher::HangUp(const QString& call, const QString& number) {
    Log(u"hang up", {Text(number), Text(call)});
    const QDBusMessage hangUp =
        QDBusMessage::createMethodCall(kModemService, call, kCallInterface, QStringLiteral("Hangup"));
    auto* pending =
        new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(hangUp, kBusTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [number](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError()) Log(u"hang up failed", {Text(number), Text(finished->error().message())});
    });
}
