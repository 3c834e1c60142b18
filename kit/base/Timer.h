#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

namespace kit {

// A run-loop timer on the main thread, timed by kit::Clock. A one-shot timer
// fires once, no earlier than `interval` after scheduling; a repeating one
// fires at start + k·interval (k = 1, 2, …) and skips fires it missed.
// Nothing cancels a timer implicitly: it runs until it has fired (one-shot)
// or until invalidate(). It keeps its block alive until then.
class Timer {
public:
    using Block = std::function<void(Timer&)>;

    // `block` takes the Timer or nothing.
    template <class F>
    static std::shared_ptr<Timer> scheduled(double interval, bool repeats, F block)
    {
        if constexpr (std::is_invocable_v<F&, Timer&>)
            return schedule(interval, repeats, Block(std::move(block)));
        else
            return schedule(interval, repeats, Block([block = std::move(block)](Timer&) mutable { block(); }));
    }

    void invalidate();
    bool isValid() const { return valid_; }
    double interval() const { return interval_; }
    bool repeats() const { return repeats_; }
    // When it fires next, on the kit clock.
    double fireTime() const { return due_; }

    // Runs the timers due at or before `time`, each once. Returns whether any fired.
    static bool fireDue(double time);
    // Invalidates every scheduled timer. Test support.
    static void invalidateAll();

    Timer(double interval, bool repeats, Block block);

private:
    friend class TimerScheduler;
    static std::shared_ptr<Timer> schedule(double interval, bool repeats, Block block);

    double interval_;
    bool repeats_;
    Block block_;
    bool valid_ = true;
    double start_ = 0;
    double due_ = 0;
    std::int64_t fires_ = 0;
    std::uint64_t order_ = 0;
};

} // namespace kit
