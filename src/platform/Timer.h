#pragma once
#include <functional>
#include <memory>

// A timer of the user-interface thread that fires once after its interval
// and then stands still until it is started again.
class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
    // Called on the user-interface thread when the interval has passed.
    virtual void SetTimeout(std::function<void()> handler) = 0;
};

// Makes the timers of the program; the desktop program binds the Qt ones.
using TTimerFactory = std::function<std::unique_ptr<ITimer>()>;

// A timer that only fires when told to; for programs without an event loop
// and for tests.
class TManualTimer : public ITimer {
public:
    void Start(int milliseconds) override
    {
        active_ = true;
        interval_ = milliseconds;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }
    void SetTimeout(std::function<void()> handler) override { handler_ = std::move(handler); }

    int Interval() const { return interval_; }
    // The interval has passed: the timer stops, then the handler runs.
    void Fire()
    {
        if (!active_) return;
        active_ = false;
        if (handler_) handler_();
    }

private:
    bool active_ = false;
    int interval_ = 0;
    std::function<void()> handler_;
};
