// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckItems.h"

#include "OwnAccessible.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPointer>

namespace kelvora::gui {

namespace {

constexpr const char* kCheckItemProperty = "kelvoraCheckItem";

// The item inside whichever menu shows it now (the context menu is made
// anew each time it opens).
class CheckItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit CheckItemAccessible(QAction* action) : action_(action) {}

    bool isValid() const override { return !action_.isNull(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override {
        QMenu* menu = Menu();
        return menu ? menu->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        QMenu* menu = Menu();
        return menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!action_) return {};
        if (t == QAccessible::Name) return QString(action_->text()).remove(QLatin1Char('&'));
        if (t == QAccessible::Accelerator) return action_->shortcut().toString(QKeySequence::NativeText);
        if (t == QAccessible::Description) return action_->toolTip();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        QMenu* menu = Menu();
        if (!menu) return {};
        const QRect r = menu->actionGeometry(action_);
        return {menu->mapToGlobal(r.topLeft()), r.size()};
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!action_) return s;
        QMenu* menu = Menu();
        s.checkable = true;
        s.checked = action_->isChecked();
        s.focusable = true;
        s.focused = menu && menu->activeAction() == action_;
        s.disabled = !action_->isEnabled();
        s.invisible = !menu || !action_->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {toggleAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (action_ && action_->isEnabled() && (name == toggleAction() || name == pressAction())) action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override {
        return action_ ? QStringList{action_->shortcut().toString(QKeySequence::NativeText)} : QStringList{};
    }

private:
    QMenu* Menu() const {
        if (!action_) return nullptr;
        QMenu* any = nullptr;
        for (QObject* o : action_->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(o)) {
                if (menu->isVisible()) return menu;
                any = menu;
            }
        return any;
    }

    QPointer<QAction> action_;
};

}  // namespace

void MakeCheckItem(QAction& action) {
    action.setCheckable(true);
    UseOwnAccessible<QAction, CheckItemAccessible>(action, kCheckItemProperty);
}

}  // namespace kelvora::gui
