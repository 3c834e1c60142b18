#include "kit/base/Date.h"

#include <chrono>

namespace kit {

Date Date::now()
{
    using namespace std::chrono;
    return fromUnixTime(duration<double>(system_clock::now().time_since_epoch()).count());
}

} // namespace kit
