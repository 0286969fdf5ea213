#pragma once

// What a screen reader learns about a control, through the accessibility tree.
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>

namespace tallyfin::testing {

inline QAccessibleInterface *accessible(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

// The name of the nearest group box around an accessible object.
inline QString groupOf(QAccessibleInterface *node)
{
    for (QAccessibleInterface *parent = node->parent(); parent; parent = parent->parent())
        if (qobject_cast<QGroupBox *>(parent->object()))
            return parent->text(QAccessible::Name);
    return {};
}

// What a screen reader announces for a control: its caption label (the
// "labelled by" relation; on Linux a combo box's own name is its value), or
// else its own name.
inline QString announcedName(QAccessibleInterface *node)
{
    for (const auto &[label, relation] : node->relations(QAccessible::Label))
        if (qobject_cast<QLabel *>(label->object()))
            return label->text(QAccessible::Name);
    return node->text(QAccessible::Name);
}

} // namespace tallyfin::testing
