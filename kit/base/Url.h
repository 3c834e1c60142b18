#pragma once

#include <string>
#include <string_view>

namespace kit {

// A URL as the application passes them around: a scheme and a path. File
// URLs hold a standardised absolute path: relative paths are resolved
// against the working directory, "." and ".." components are removed, and
// there is no trailing slash (except for "/" itself).
struct Url {
    std::string scheme;
    std::string path;

    static Url fileURL(std::string_view path);

    bool isFileURL() const { return scheme == "file"; }

    friend bool operator==(const Url&, const Url&) = default;
};

// The last component of a path text: "/a/b/" gives "b", "/" gives "/", "" gives "".
std::string lastPathComponent(std::string_view path);

} // namespace kit
