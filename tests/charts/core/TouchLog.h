#pragma once

// Records, in order, what one touch of a chart-data object announces and
// sends: each write of its data sets ("dataSets"), each write of its touch
// state with the number of touched points then listed ("infoView N"), and
// each point it sends ("sent", the point kept in `sent`).

#include "kit/base/Cancellable.h"

#include <string>
#include <vector>

namespace charts::testing {

template <class ChartData>
struct TouchLog {
    explicit TouchLog(ChartData& chart)
    {
        subscriptions.push_back(chart.dataSets.sink([this](const auto&) { events.push_back("dataSets"); }));
        subscriptions.push_back(chart.infoView.sink([this](const auto& info) {
            events.push_back("infoView " + std::to_string(info.touchOverlayInfo.size()));
        }));
        subscriptions.push_back(chart.touchedDataPointPublisher.sink([this](const auto& point) {
            events.push_back("sent");
            sent.push_back(point);
        }));
        events.clear();
    }
    std::vector<std::string> events;
    std::vector<typename ChartData::DataPoint> sent;
    std::vector<kit::Cancellable> subscriptions;
};

} // namespace charts::testing
