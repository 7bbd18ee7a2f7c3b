// The GlobalShortcuts portal's list of shortcuts, a(sa{sv}): an id and its properties
// ("description", "preferred_trigger" going out; "description", "trigger_description" coming
// back).
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace vorbix::portal {

struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcuts = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Makes the list known to Qt D-Bus; harmless to call more than once.
void registerPortalShortcutTypes();

}  // namespace vorbix::portal

Q_DECLARE_METATYPE(vorbix::portal::PortalShortcut)
