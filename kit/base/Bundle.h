#pragma once

#include <optional>
#include <string>

namespace kit {

// The application bundle: an install-prefix layout found from the running
// executable's folder (<exe dir>/..), never from the working directory.
//   <root>/libexec/quillmarrow/<name>      auxiliary executables
//   <root>/share/quillmarrow/<name>.<ext>  resources
class Bundle {
public:
    explicit Bundle(std::string root) : root_(std::move(root)) {}

    // The bundle of the running executable, or the one set by overrideMain().
    static Bundle main();
    // Points main() at another root (tests use the build tree's bundle).
    static void overrideMain(std::string root);

    const std::string& root() const { return root_; }

    // The path of an auxiliary executable, when it exists.
    std::optional<std::string> auxiliaryExecutable(const std::string& name) const;
    // Where an auxiliary executable belongs, whether or not it exists.
    std::string auxiliaryExecutablePath(const std::string& name) const;
    // The path of a resource file, when it exists.
    std::optional<std::string> resource(const std::string& name, const std::string& extension) const;

private:
    std::string root_;
};

} // namespace kit
