#include "core/skin/DesktopSkin.h"
#include "ui/app/DesktopColorScheme.h"

#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

namespace
{
QDBusMessage PortalCall()
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                          QStringLiteral("/org/freedesktop/portal/desktop"),
                                          QStringLiteral("org.freedesktop.portal.Settings"),
                                          QStringLiteral("Read"));
}

QVariant Wrapped(const QVariant& value) { return QVariant::fromValue(QDBusVariant(value)); }

QDBusMessage Reply(const QVariant& value) { return PortalCall().createReply(value); }
} // namespace

// The portal's reply to Read as the bus hands it over, and the skin that the frames then wear.
TEST(DesktopColorScheme, PortalRepliesGiveTheSkin)
{
    const QVariant dark = Wrapped(QVariant::fromValue(uint(1)));
    const struct
    {
        const char* pszWhat;
        QDBusMessage reply;
        Skin chosen;
        Skin expected;
    } cases[] = {
        {"prefers dark", Reply(dark), Skin::FollowDesktop, Skin::Night},
        {"prefers dark, wrapped twice by an older portal", Reply(Wrapped(dark)),
         Skin::FollowDesktop, Skin::Night},
        {"no preference", Reply(Wrapped(QVariant::fromValue(uint(0)))), Skin::FollowDesktop,
         DEFAULT_SKIN},
        {"prefers light", Reply(Wrapped(QVariant::fromValue(uint(2)))), Skin::FollowDesktop,
         DEFAULT_SKIN},
        {"a signed number", Reply(Wrapped(QVariant::fromValue(int(1)))), Skin::FollowDesktop,
         DEFAULT_SKIN},
        {"a text", Reply(Wrapped(QVariant::fromValue(QStringLiteral("1")))), Skin::FollowDesktop,
         DEFAULT_SKIN},
        {"no portal",
         PortalCall().createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
                                       QStringLiteral("no portal")),
         Skin::FollowDesktop, DEFAULT_SKIN},
        {"an empty reply", PortalCall().createReply(), Skin::FollowDesktop, DEFAULT_SKIN},
        {"the chosen skin holds", Reply(dark), Skin::Ocean, Skin::Ocean},
        {"night without a portal", PortalCall().createErrorReply(QString(), QString()), Skin::Night,
         Skin::Night},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhat);
        EXPECT_EQ(FrameSkinFor(c.chosen, ColorSchemeFromReply(c.reply)), c.expected);
    }
}
