// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Objects that assistive tools see through an interface of the program's
// own: each kind is marked by a property, and its factory makes the
// interface for the objects so marked.
#include <QAccessible>
#include <QObject>

namespace kelvora::gui {

// Marks `object` as one of the kind `Interface` serves (an accessible
// interface made from a `Object*`), installing its factory the first time.
template <class Object, class Interface>
void UseOwnAccessible(Object& object, const char* property) {
    static const char* const marked = property;
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* o) -> QAccessibleInterface* {
            auto* typed = qobject_cast<Object*>(o);
            return typed && typed->property(marked).toBool() ? new Interface(typed) : nullptr;
        });
        return true;
    }();
    static_cast<void>(installed);
    object.setProperty(property, true);
}

}  // namespace kelvora::gui
