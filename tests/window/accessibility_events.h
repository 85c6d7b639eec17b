// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

// Turns Qt's accessibility on, as a screen reader would, and records the events the widgets send
// to it. Qt sends them only while a platform bridge says a reader is listening, which the
// offscreen platform never does by itself; hence the one private call.

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

struct AccessibilityEvent
{
    QAccessible::Event type;
    QPointer<QObject> object;
    QString removed; // for text updates
    QString inserted;
};

inline QList<AccessibilityEvent> &accessibilityEvents()
{
    static QList<AccessibilityEvent> events;
    return events;
}

// Returns false where the platform has no accessibility at all.
inline bool recordAccessibilityEvents()
{
    QPlatformAccessibility *accessibility
        = QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (!accessibility)
        return false;
    accessibility->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        AccessibilityEvent recorded{event->type(), event->object(), {}, {}};
        if (event->type() == QAccessible::TextUpdated) {
            auto *update = static_cast<QAccessibleTextUpdateEvent *>(event);
            recorded.removed = update->textRemoved();
            recorded.inserted = update->textInserted();
        }
        accessibilityEvents().append(recorded);
    });
    return QAccessible::isActive();
}
