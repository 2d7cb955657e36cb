#pragma once
#include "platform/Messagebox.h"

class QWidget;

// Shows the logic's messages as modal Qt message boxes.
class TQtMessageService : public IMessageService {
public:
    explicit TQtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    TMsgAnswer Show(const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override;

private:
    QWidget* parent_;
};
