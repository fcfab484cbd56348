#pragma once
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "common/platform/Timers.h"

namespace orvex::qt {

class QtTimers final : public Timers {
public:
    TimerId start(int intervalMs, std::function<void()> tick) override {
        auto timer = std::make_unique<QTimer>();
        timer->setInterval(intervalMs);
        QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
        timer->start();
        const TimerId id = ++m_lastId;
        m_timers[id] = std::move(timer);
        return id;
    }
    void stop(TimerId id) override { m_timers.erase(id); }

private:
    TimerId m_lastId = 0;
    std::map<TimerId, std::unique_ptr<QTimer>> m_timers;
};

}  // namespace orvex::qt
