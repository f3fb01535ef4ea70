#pragma once
// Watches ModemManager on the system bus for incoming calls and names the caller in a desktop
// notification (docs/host.md). Every bus call it makes is asynchronous with a time-out, so a call
// without a number, a hidden number or a modem that vanishes never blocks it; a failed reply is
// logged and forgotten.
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <filesystem>

struct CallerNotice;

class CallWatcher : public QObject {
    Q_OBJECT

public:
    explicit CallWatcher(std::filesystem::path root, QObject* parent = nullptr);

    // Subscribes to CallAdded of every modem; false when the system bus cannot be reached.
    [[nodiscard]] bool Start();

private slots:
    // Takes the whole message: a slot with D-Bus argument types is refused when the connection's
    // type registry is not ready yet, one with the message never is.
    void OnCallAdded(const QDBusMessage& signal);

private:
    void OnCallProperties(const QString& call, const QVariantMap& properties);
    void Notify(const CallerNotice& notice);
    void HangUp(const QString& call, const QString& number);

    std::filesystem::path root_;
};
