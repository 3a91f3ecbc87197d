// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "Countdown.h"
#include "Fonts.h"
#include "SurfacePainter.h"
#include "Twips.h"

namespace kelvora::gui {

FormWindow::FormWindow(WindowModel& model, std::vector<Control*> controls, const Surface* surface)
    : model_(model), controls_(std::move(controls)), surface_(surface) {
    setObjectName(QString::fromStdString(model.caption));
    setFont(ToQFont(model.defaultFont));
    setFixedSize(Px(model.clientWidth), Px(model.clientHeight));
    setAttribute(Qt::WA_QuitOnClose, false);
    // Frames first, so the controls placed in them find their parent.
    std::stable_sort(controls_.begin(), controls_.end(), [](const Control* a, const Control* b) {
        return (a->kind == ControlKind::Frame) > (b->kind == ControlKind::Frame);
    });
    for (Control* c : controls_) widgets_[c->name] = Create(*c);
    // Labels name their boxes, for assistive tools and the Alt key.
    for (Control* c : controls_)
        if (auto* label = qobject_cast<QLabel*>(widgets_[c->name]); label && !c->labelFor.empty())
            label->setBuddy(widgets_[c->labelFor]);
    // The window itself can hold the focus, where a stray Space or Enter
    // does nothing.
    setFocusPolicy(Qt::ClickFocus);
    std::vector<Control*> byTab = controls_;
    std::sort(byTab.begin(), byTab.end(), [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (Control* c : byTab) {
        QWidget* w = widgets_[c->name];
        if (w->focusPolicy() == Qt::NoFocus) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    Sync();
}

QWidget* FormWindow::widget(const std::string& controlName) const {
    const auto it = widgets_.find(controlName);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* FormWindow::Create(Control& c) {
    QWidget* parent = this;
    if (!c.parent.empty()) parent = widget(c.parent);
    QWidget* w = nullptr;
    Control* model = &c;
    switch (c.kind) {
        case ControlKind::Button: {
            w = new QPushButton(parent);
            break;
        }
        case ControlKind::TextBox:
            if (c.multiLine) {
                auto* t = new QPlainTextEdit(parent);
                t->setReadOnly(c.locked);
                t->setVerticalScrollBarPolicy(c.verticalScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
                t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
                // Tab moves on to the next control: a name never holds a tab.
                t->setTabChangesFocus(true);
                connect(t, &QPlainTextEdit::textChanged, this, [this, t, model] {
                    if (!syncing_) model->text = FromQt(t->toPlainText());
                });
                w = t;
            } else {
                auto* t = new QLineEdit(parent);
                t->setReadOnly(c.locked);
                // Every change counts, whatever made it: typing, pasting, an
                // assistive tool; only the program's own updates do not echo.
                connect(t, &QLineEdit::textChanged, this, [this, model](const QString& s) {
                    if (!syncing_) model->text = FromQt(s);
                });
                w = t;
            }
            break;
        case ControlKind::Label: {
            auto* l = new QLabel(parent);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setWordWrap(true);
            if (c.readOnDemand) MakeCountdown(*l);
            w = l;
            break;
        }
        case ControlKind::CheckBox: {
            auto* b = new QCheckBox(parent);
            b->setTristate(false);
            connect(b, &QCheckBox::stateChanged, this, [this, model](int state) {
                if (!syncing_) model->value = state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
            });
            w = b;
            break;
        }
        case ControlKind::Option: {
            auto* r = new QRadioButton(parent);
            connect(r, &QRadioButton::toggled, this, [this, model](bool on) {
                if (!syncing_) model->value = on ? 1 : 0;
            });
            w = r;
            break;
        }
        case ControlKind::Frame:
            w = new QGroupBox(parent);
            break;
    }
    w->setObjectName(QString::fromStdString(c.name));
    w->setGeometry(PxRect(c.geometry));
    if (c.font) w->setFont(ToQFont(*c.font));
    if (!c.hint.empty()) w->setToolTip(QString::fromStdString(c.hint));
    return w;
}

void FormWindow::SyncControl(const Control& c, QWidget* w) {
    const QString text = ToQt(c.text);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        if (b->text() != text) b->setText(text);
    } else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) {
        if (t->toPlainText() != text) t->setPlainText(text);
    } else if (auto* t = qobject_cast<QLineEdit*>(w)) {
        if (t->text() != text) t->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->text() != text) l->setText(text);
    } else if (auto* cb = qobject_cast<QCheckBox*>(w)) {
        if (cb->text() != text) cb->setText(text);
        if (c.value == 2) cb->setTristate(true);
        cb->setCheckState(c.value == 1 ? Qt::Checked : c.value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
        if (r->text() != text) r->setText(text);
        if (r->isChecked() != (c.value != 0)) {
            // Radio buttons of one frame exclude each other; the model says
            // both may be off, so switch exclusivity off while setting.
            r->setAutoExclusive(false);
            r->setChecked(c.value != 0);
            r->setAutoExclusive(true);
        }
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        if (g->title() != text) g->setTitle(text);
    }
    if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
    // What assistive tools call a control can change with what it shows.
    if (const QString name = ToQt(c.accessibleName); w->accessibleName() != name) w->setAccessibleName(name);
    if (const QString description = ToQt(c.accessibleDescription); w->accessibleDescription() != description)
        w->setAccessibleDescription(description);
    // A control placed outside the window is never seen; it is not shown,
    // so assistive tools do not report it as showing either.
    const bool shown = c.visible && PxRect(c.geometry).intersects(QRect(QPoint(0, 0), size()));
    if (w->isVisibleTo(this) != shown) w->setVisible(shown);
}

void FormWindow::Sync() {
    syncing_ = true;
    const QString caption = QString::fromStdString(model_.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    if (const QString d = ToQt(model_.accessibleDescription); accessibleDescription() != d) setAccessibleDescription(d);
    for (Control* c : controls_) SyncControl(*c, widgets_[c->name]);
    syncing_ = false;
    if (surface_ && !inPaint_ && surface_->version() != paintedVersion_) update();
    if (isVisible() != model_.visible && !(showHeld && model_.visible)) setVisible(model_.visible);
    if (model_.raise) {
        model_.raise = false;
        raise();
        activateWindow();
    }
}

void FormWindow::paintEvent(QPaintEvent*) {
    inPaint_ = true;
    if (onPaint) onPaint();
    inPaint_ = false;
    if (!surface_) return;
    QPainter painter(this);
    PaintSurface(painter, *surface_);
    paintedVersion_ = surface_->version();
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (onWindowEvent) onWindowEvent(WindowEvent::Resize);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The program decides what closing means; the model says what stays.
    e->ignore();
    if (onWindowEvent) onWindowEvent(WindowEvent::Close);
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && onWindowEvent) onWindowEvent(WindowEvent::Activate);
    if (e->type() == QEvent::WindowDeactivate && onWindowEvent) onWindowEvent(WindowEvent::Deactivate);
    return QWidget::event(e);
}

}  // namespace kelvora::gui
