#pragma once

#include <fstream>
#include <string>

namespace qmtest {

// Whether a process is gone: no longer there, or dead and only waiting to be reaped.
inline bool processGone(int pid)
{
    std::ifstream state("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(state, stat);
    return stat.empty() || stat.find(") Z ") != std::string::npos;
}

} // namespace qmtest
