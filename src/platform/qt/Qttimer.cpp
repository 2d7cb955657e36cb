#include "platform/qt/Qttimer.h"

TQtTimer::TQtTimer()
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_) handler_();
    });
}

void TQtTimer::Start(int milliseconds)
{
    timer_.start(milliseconds);
}

void TQtTimer::Stop()
{
    timer_.stop();
}

bool TQtTimer::IsActive() const
{
    return timer_.isActive();
}

void TQtTimer::SetTimeout(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

TTimerFactory TQtTimer::Factory()
{
    return [] { return std::make_unique<TQtTimer>(); };
}
