#pragma once
#include <QTimer>

#include "platform/Timer.h"

// A one-shot QTimer of the user-interface thread.
class TQtTimer : public ITimer {
public:
    TQtTimer();
    void Start(int milliseconds) override;
    void Stop() override;
    bool IsActive() const override;
    void SetTimeout(std::function<void()> handler) override;

    // A factory for the objects that make their own timers.
    static TTimerFactory Factory();

private:
    QTimer timer_;
    std::function<void()> handler_;
};
