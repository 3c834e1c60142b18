#pragma once

#include "kit/base/Cancellable.h"
#include "kit/base/PassthroughSubject.h"

namespace charts {

// The publishing side of a chart-data object: the subscriptions it owns and
// the subject on which it sends each touched data point.
template <class DataPoint>
class Publishable {
public:
    kit::CancellableSet subscription;
    const kit::PassthroughSubject<DataPoint> touchedDataPointPublisher;
};

} // namespace charts
