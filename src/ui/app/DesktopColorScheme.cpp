#include "ui/app/DesktopColorScheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace
{
const QString PORTAL_SERVICE = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PORTAL_PATH = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SETTINGS_INTERFACE = QStringLiteral("org.freedesktop.portal.Settings");
const QString APPEARANCE = QStringLiteral("org.freedesktop.appearance");
const QString COLOR_SCHEME = QStringLiteral("color-scheme");
// Variants inside variants deeper than this are no answer.
constexpr int MAX_NESTING = 4;
} // namespace

std::optional<std::uint32_t> ColorSchemeFromVariant(const QVariant& value)
{
    QVariant inner = value;
    for (int i = 0; i < MAX_NESTING && inner.metaType() == QMetaType::fromType<QDBusVariant>(); ++i)
        inner = inner.value<QDBusVariant>().variant();
    if (inner.metaType() != QMetaType::fromType<uint>())
        return std::nullopt;
    return inner.toUInt();
}

std::optional<std::uint32_t> ColorSchemeFromReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return std::nullopt;
    return ColorSchemeFromVariant(reply.arguments().constFirst());
}

CDesktopColorScheme::CDesktopColorScheme(QObject* pParent) : QObject(pParent) {}

void CDesktopColorScheme::Follow()
{
    if (m_bFollowing)
        return;
    m_bFollowing = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Qt D-Bus connects a signal to a slot named by text; one taking the whole message has no
    // argument types to match.
    bus.connect(PORTAL_SERVICE, PORTAL_PATH, SETTINGS_INTERFACE, QStringLiteral("SettingChanged"),
                this, SLOT(OnSettingChanged(QDBusMessage)));
    // Read answers on every portal version (ReadOne only from version 2).
    QDBusMessage call = QDBusMessage::createMethodCall(PORTAL_SERVICE, PORTAL_PATH,
                                                       SETTINGS_INTERFACE, QStringLiteral("Read"));
    call << APPEARANCE << COLOR_SCHEME;
    auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* pCall) {
                pCall->deleteLater();
                // A change signalled meanwhile is newer than this answer.
                if (!m_value)
                    Take(ColorSchemeFromReply(pCall->reply()));
            });
}

void CDesktopColorScheme::OnSettingChanged(const QDBusMessage& signal)
{
    const QList<QVariant> arguments = signal.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == APPEARANCE &&
        arguments[1].toString() == COLOR_SCHEME)
        Take(ColorSchemeFromVariant(arguments[2]));
}

void CDesktopColorScheme::Take(std::optional<std::uint32_t> value)
{
    if (value == m_value)
        return;
    m_value = value;
    emit Changed();
}
