#pragma once

namespace charts {

// Whether the info box stacks its content vertically or lays it out horizontally.
enum class InfoBoxAlignment { vertical, horizontal };

} // namespace charts
