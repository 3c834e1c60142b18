#include "app/screens/DeferredUpdate.h"

#include "kit/base/MainQueue.h"

namespace qm {

DeferredUpdate::DeferredUpdate(std::function<void()> update) : state_(std::make_shared<State>())
{
    state_->update = std::move(update);
}

DeferredUpdate::~DeferredUpdate()
{
    state_->alive = false;
}

void DeferredUpdate::schedule()
{
    if (state_->pending)
        return;
    state_->pending = true;
    kit::MainQueue::async([state = state_] {
        if (!state->alive)
            return;
        state->pending = false;
        state->update();
    });
}

} // namespace qm
