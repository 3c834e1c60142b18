#include "kit/base/Timer.h"

#include "kit/base/Clock.h"
#include "kit/base/MainQueue.h"
#include "kit/base/TimerScheduler.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kit {

namespace {
// Repeating intervals below this are raised to it, so a zero interval cannot spin.
constexpr double minimumRepeatInterval = 1e-4;
} // namespace

Timer::Timer(double interval, bool repeats, Block block)
    // An interval that is not a number counts as 0 (max() would keep it).
    : interval_(std::max(interval >= 0 ? interval : 0.0, repeats ? minimumRepeatInterval : 0.0)), repeats_(repeats),
      block_(std::move(block))
{
}

std::shared_ptr<Timer> Timer::schedule(double interval, bool repeats, Block block)
{
    assertMainThread();
    auto timer = std::make_shared<Timer>(interval, repeats, std::move(block));
    timer->start_ = Clock::now();
    timer->due_ = timer->start_ + timer->interval_;
    TimerScheduler::shared().add(timer);
    return timer;
}

void Timer::invalidate()
{
    if (!valid_)
        return;
    valid_ = false;
    auto block = std::move(block_); // released after the scheduler lets go
    block_ = nullptr;
    TimerScheduler::shared().remove(this);
}

bool Timer::fireDue(double time)
{
    return TimerScheduler::shared().fireDue(time);
}

void Timer::invalidateAll()
{
    TimerScheduler::shared().removeAll();
}

TimerScheduler& TimerScheduler::shared()
{
    static auto* scheduler = new TimerScheduler;
    return *scheduler;
}

void TimerScheduler::add(const std::shared_ptr<Timer>& timer)
{
    timer->order_ = nextOrder_++;
    timers_.push_back(timer);
    arm();
}

void TimerScheduler::remove(Timer* timer)
{
    auto it = std::find_if(timers_.begin(), timers_.end(), [timer](const auto& t) { return t.get() == timer; });
    if (it == timers_.end())
        return;
    auto keep = *it; // the timer may be releasing its last owner
    timers_.erase(it);
    arm();
}

std::shared_ptr<Timer> TimerScheduler::nextDue(double limit) const
{
    std::shared_ptr<Timer> best;
    for (const auto& t : timers_) {
        if (t->due_ > limit)
            continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
            best = t;
    }
    return best;
}

void TimerScheduler::fire(const std::shared_ptr<Timer>& timer, double now)
{
    if (timer->repeats_) {
        // The next fire is the first point of the schedule after now: missed
        // fires are skipped and the schedule stays aligned to its start.
        auto passed = static_cast<std::int64_t>(std::floor((now - timer->start_) / timer->interval_));
        auto next = std::max(timer->fires_ + 1, passed + 1);
        while (timer->start_ + static_cast<double>(next) * timer->interval_ <= now)
            ++next;
        timer->fires_ = next - 1;
        timer->due_ = timer->start_ + static_cast<double>(next) * timer->interval_;
        auto block = timer->block_; // the block may invalidate its own timer
        block(*timer);
        arm();
    } else {
        timer->valid_ = false;
        auto block = std::move(timer->block_);
        timer->block_ = nullptr;
        remove(timer.get());
        block(*timer);
    }
}

bool TimerScheduler::fireDue(double now)
{
    bool fired = false;
    while (auto timer = nextDue(now)) {
        fire(timer, now);
        fired = true;
    }
    return fired;
}

void TimerScheduler::shift(double delta)
{
    for (const auto& t : timers_) {
        t->start_ += delta;
        t->due_ += delta;
    }
    arm();
}

void TimerScheduler::removeAll()
{
    auto timers = std::move(timers_);
    timers_.clear();
    for (const auto& t : timers) {
        t->valid_ = false;
        t->block_ = nullptr;
    }
    arm();
}

void TimerScheduler::arm()
{
    auto* app = QCoreApplication::instance();
    if (!app || !isMainThread())
        return;
    if (!wakeUp_) {
        auto* timer = new QTimer(app);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, app, [this] {
            fireDue(Clock::now());
            arm();
        });
        QObject::connect(timer, &QObject::destroyed, [this] { wakeUp_ = nullptr; });
        wakeUp_ = timer;
    }
    auto next = nextDue(INFINITY);
    if (Clock::isManual() || !next) {
        wakeUp_->stop();
        return;
    }
    // Round up, so a timer never fires early; a wake-up that arrives a hair
    // before the due time simply re-arms.
    double wait = std::max(0.0, next->due_ - Clock::now());
    wakeUp_->start(static_cast<int>(std::min(std::ceil(wait * 1000.0), 2.0e9)));
}

} // namespace kit
