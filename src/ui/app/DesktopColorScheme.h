#pragma once

#include <QDBusMessage> // complete for the slot's meta type, through which the bus calls it
#include <QObject>

#include <cstdint>
#include <optional>

class QVariant;

// The desktop's light or dark preference, read from the freedesktop settings portal on the
// session bus (org.freedesktop.appearance color-scheme) and followed while it changes. Without a
// session bus or a portal it stays unknown.
class CDesktopColorScheme : public QObject
{
    Q_OBJECT
public:
    explicit CDesktopColorScheme(QObject* pParent = nullptr);

    // Asks the portal once, without waiting, and listens for its changes from now on; later
    // calls do nothing. Changed follows every answer that differs from the last.
    void Follow();
    std::optional<std::uint32_t> Value() const { return m_value; }

signals:
    void Changed();

private slots:
    // The signal SettingChanged: namespace, key and the new value.
    void OnSettingChanged(const QDBusMessage& signal);

private:
    void Take(std::optional<std::uint32_t> value);

    bool m_bFollowing = false;
    std::optional<std::uint32_t> m_value;
};

// The colour scheme in a portal's reply to Read or ReadOne: an unsigned number, possibly inside
// one or more variants (older portals wrap Read's answer twice). Nothing for an error reply or
// any other type.
std::optional<std::uint32_t> ColorSchemeFromReply(const QDBusMessage& reply);
std::optional<std::uint32_t> ColorSchemeFromVariant(const QVariant& value);
