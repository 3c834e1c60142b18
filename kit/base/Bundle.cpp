#include "kit/base/Bundle.h"

#include <QCoreApplication>

#include <filesystem>
#include <mutex>

namespace kit {

namespace fs = std::filesystem;

namespace {

struct MainRoot {
    std::mutex mutex;
    std::optional<std::string> root;
};

MainRoot& mainRoot()
{
    static MainRoot m;
    return m;
}

std::string executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    std::error_code error;
    auto exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

std::optional<std::string> existing(const fs::path& path)
{
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return path.string();
    return std::nullopt;
}

} // namespace

Bundle Bundle::main()
{
    auto& m = mainRoot();
    std::lock_guard lock(m.mutex);
    if (!m.root)
        m.root = fs::weakly_canonical(fs::path(executableFolder()) / "..").string();
    return Bundle(*m.root);
}

void Bundle::overrideMain(std::string root)
{
    auto& m = mainRoot();
    std::lock_guard lock(m.mutex);
    m.root = std::move(root);
}

std::string Bundle::auxiliaryExecutablePath(const std::string& name) const
{
    return (fs::path(root_) / "libexec" / "quillmarrow" / name).string();
}

std::optional<std::string> Bundle::auxiliaryExecutable(const std::string& name) const
{
    return existing(auxiliaryExecutablePath(name));
}

std::optional<std::string> Bundle::resource(const std::string& name, const std::string& extension) const
{
    return existing(fs::path(root_) / "share" / "quillmarrow" / (name + "." + extension));
}

} // namespace kit
