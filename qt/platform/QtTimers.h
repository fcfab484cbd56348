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
    void stop(TimerId id) override {
        auto it = m_timers.find(id);
        if (it == m_timers.end()) return;
        // A tick may stop its own timer: the QTimer is still emitting then,
        // so it goes once control is back in the event loop.
        QTimer* timer = it->second.release();
        m_timers.erase(it);
        timer->stop();
        timer->deleteLater();
    }
    ~QtTimers() override {
        for (auto& [id, timer] : m_timers) timer->stop();
    }

private:
    TimerId m_lastId = 0;
    std::map<TimerId, std::unique_ptr<QTimer>> m_timers;
};

}  // namespace orvex::qt
