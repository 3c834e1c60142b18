#include "kit/base/Url.h"

#include <filesystem>

namespace kit {

namespace fs = std::filesystem;

Url Url::fileURL(std::string_view path)
{
    fs::path p(path);
    if (p.is_relative()) {
        std::error_code error;
        auto cwd = fs::current_path(error);
        p = (error ? fs::path("/") : cwd) / p;
    }
    std::string text = p.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return Url{"file", text};
}

std::string lastPathComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    if (path == "/")
        return "/";
    auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace kit
