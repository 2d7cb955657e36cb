#pragma once
#include <QDialog>

class QWidget;

// The Qt side of a dialog seam: Show runs the window Window over the state
// the logic hands in, modal on parent, and reports whether it was confirmed.
template <class Interface, class Window, class State>
class TQtModalDialog : public Interface {
public:
    explicit TQtModalDialog(QWidget* parent) : parent_(parent) {}
    bool Show(State& state) override
    {
        Window d(state, parent_);
        return d.exec() == QDialog::Accepted;
    }

private:
    QWidget* parent_;
};
