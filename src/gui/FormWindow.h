// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the program's windows, built from its control model. It shows
// what the model holds (Sync), writes the learner's edits straight back,
// and reports clicks and window events through callbacks.
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace kelvora::gui {

enum class WindowEvent { Activate, Deactivate, Resize, Close };

class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(WindowModel& model, std::vector<Control*> controls, const Surface* surface);

    // Model to widgets. Repaints the surface only when it changed.
    void Sync();
    QWidget* widget(const std::string& controlName) const;
    QWidget* widget(const Control& control) const { return widget(control.name); }
    const WindowModel& model() const { return model_; }

    // While set, the window stays hidden when its model shows it (it is
    // then shown once placed).
    bool showHeld = false;

    std::function<void(WindowEvent)> onWindowEvent;
    // Runs before the surface is painted (the repaint event).
    std::function<void()> onPaint;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

private:
    QWidget* Create(Control& c);
    void SyncControl(const Control& c, QWidget* w);

    WindowModel& model_;
    std::vector<Control*> controls_;
    const Surface* surface_;
    std::map<std::string, QWidget*> widgets_;
    unsigned long long paintedVersion_ = ~0ULL;
    bool syncing_ = false;
    bool inPaint_ = false;
};

}  // namespace kelvora::gui
