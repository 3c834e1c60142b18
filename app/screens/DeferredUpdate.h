#pragma once

#include <functional>
#include <memory>

namespace qm {

// Runs an update on a later turn of the main queue, once however often it
// was asked for meanwhile. Change announcements come before the change, so
// views redraw this way, after it has happened. Nothing runs once the
// owner (and with it this object) is gone.
class DeferredUpdate {
public:
    explicit DeferredUpdate(std::function<void()> update);
    ~DeferredUpdate();
    DeferredUpdate(const DeferredUpdate&) = delete;
    DeferredUpdate& operator=(const DeferredUpdate&) = delete;

    void schedule();
    // Called when the update runs early (by hand): a queued one still runs.
    void ranNow() { state_->pending = false; }

private:
    struct State {
        std::function<void()> update;
        bool pending = false;
        bool alive = true;
    };
    std::shared_ptr<State> state_;
};

} // namespace qm
