// SPDX-License-Identifier: GPL-3.0-or-later
#include "Countdown.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QVariant>

#include "OwnAccessible.h"
#include "platform/Controls.h"

namespace kelvora::gui {

namespace {

constexpr const char* kCountdownProperty = "kelvoraCountdown";

class CountdownAccessible : public QAccessibleWidget, public QAccessibleValueInterface, public QAccessibleTextInterface {
public:
    explicit CountdownAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText), label_(label) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        const QString shown = label_->text();
        switch (t) {
            case QAccessible::Name:
                if (shown == QString::fromUtf8(kNoTimeLimitLabel)) return QStringLiteral("no time limit");
                return shown.isEmpty() ? QStringLiteral("Seconds left")
                                       : QStringLiteral("%1 seconds left").arg(shown);
            case QAccessible::Value:
                return shown == QString::fromUtf8(kNoTimeLimitLabel) ? QStringLiteral("no time limit") : shown;
            default: return QAccessibleWidget::text(t);
        }
    }

    // The value: the seconds left, 0 to 300 (30 at ten times the time);
    // none without a time limit.
    QVariant currentValue() const override {
        bool number = false;
        const int seconds = label_->text().toInt(&number);
        return number ? QVariant(seconds) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}  // shown, never set
    QVariant maximumValue() const override { return 300; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    // The text: what it shows, read only.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return label_->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(label_->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QLabel* label_;
};

}  // namespace

void MakeCountdown(QWidget& label) {
    if (auto* l = qobject_cast<QLabel*>(&label)) UseOwnAccessible<QLabel, CountdownAccessible>(*l, kCountdownProperty);
}

}  // namespace kelvora::gui
