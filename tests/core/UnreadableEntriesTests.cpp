#include "CountingTest.h"

#include "core/LanguageResources.h"
#include "core/Project.h"
#include "core/UnreadableEntries.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using qmtest::Args;
using qmtest::counterOutput;
using qmtest::FakeCounter;

TEST(UnreadableEntries, EveryLineOfTheCountersStandardErrorIsAWarningOrTheCountCannotPassItOver)
{
    struct Case {
        std::string errors;
        std::optional<qm::UnreadableEntries> entries;
        std::string other;
    };
    const std::string w = "scc: warning: ";
    for (const Case& c : std::vector<Case>{
             {"", qm::UnreadableEntries{}, ""},
             {w + "/p/a.c: Permission denied\n", qm::UnreadableEntries{1, {"/p/a.c: Permission denied"}}, ""},
             // The last line need not end; a path may hold ": ".
             {w + "/p/x: y: Permission denied\n" + w + "/p/sub: Input/output error",
              qm::UnreadableEntries{2, {"/p/x: y: Permission denied", "/p/sub: Input/output error"}}, ""},
             // Seven warnings: all counted, the first five kept.
             {w + "1: e\n" + w + "2: e\n" + w + "3: e\n" + w + "4: e\n" + w + "5: e\n" + w + "6: e\n" + w + "7: e\n",
              qm::UnreadableEntries{7, {"1: e", "2: e", "3: e", "4: e", "5: e"}}, ""},
             // Anything else, anywhere.
             {"warning: x\n", std::nullopt, "warning: x"},
             {w + "/p/a.c: Permission denied\nAddressSanitizer: leak\n", std::nullopt, "AddressSanitizer: leak"},
             {w + "\n", std::nullopt, "scc: warning: "},
             {"\n", std::nullopt, ""},
         }) {
        EXPECT_EQ(qm::unreadableEntries(c.errors), c.entries) << c.errors;
        EXPECT_EQ(qm::firstOtherLine(c.errors), c.other) << c.errors;
    }
}

using UnreadableCount = qmtest::CountingTest;

TEST_F(UnreadableCount, TheCountersWarningsBecomeTheProjectsUnreadableEntriesAndAnythingElseFailsTheCount)
{
    const std::string json = counterOutput({{"C", {{"a.c", 3}}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", json));
    FakeCounter::setStandardError(project->path, "scc: warning: " + project->path + "/b.c: Permission denied\n" +
                                                     "scc: warning: " + project->path + "/sub: Permission denied\n");
    project->process();
    kit::runUntilIdle();
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->unreadable.get(), (qm::UnreadableEntries{2,
                                                                {project->path + "/b.c: Permission denied",
                                                                 project->path + "/sub: Permission denied"}}));
    // The warnings are printed as the counter wrote them, before its output.
    const Args out = lines();
    const auto warning = std::find(out.begin(), out.end(),
                                   "scc: warning: " + project->path + "/b.c: Permission denied");
    ASSERT_NE(warning, out.end());
    EXPECT_EQ(*(warning + 1), "scc: warning: " + project->path + "/sub: Permission denied");
    EXPECT_EQ(*(warning + 2), "Output: " + json);

    // A later count that reads everything says so.
    FakeCounter::setStandardError(project->path, "");
    project->process();
    kit::runUntilIdle();
    EXPECT_EQ(project->unreadable.get(), qm::UnreadableEntries{});

    // Something else on standard error fails the count, which keeps the earlier results.
    FakeCounter::setStandardError(project->path, "scc: warning: /x: Permission denied\nsomething went wrong\n");
    std::string reason;
    project->process({}, [&](const std::string& said) { reason = said; });
    kit::runUntilIdle();
    EXPECT_EQ(reason, "The counter said on standard error: something went wrong");
    EXPECT_EQ(project->unreadable.get(), qm::UnreadableEntries{});
    EXPECT_EQ(project->final->size(), 1u);

    // A counter that fails says why on standard error, where the real one does, after its warnings.
    FakeCounter::setStandardError(project->path, "scc: /nowhere: No such file or directory\n");
    FakeCounter::setExitStatus(project->path, 2);
    project->process({}, [&](const std::string& said) { reason = said; });
    kit::runUntilIdle();
    EXPECT_EQ(reason, "The counter stopped with status 2: scc: /nowhere: No such file or directory");
    FakeCounter::setStandardError(project->path, "scc: warning: /x: Permission denied\n"
                                                 "scc: cannot write the output: No space left on device\n");
    FakeCounter::setExitStatus(project->path, 1);
    project->process({}, [&](const std::string& said) { reason = said; });
    kit::runUntilIdle();
    EXPECT_EQ(reason, "The counter stopped with status 1: scc: cannot write the output: No space left on device");
}

// A folder that everyone may enter, removed with what it holds, whatever its permissions.
class OpenFolder {
public:
    OpenFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qm-unreadable-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
        ::chmod(root_.c_str(), 0755);
    }
    ~OpenFolder()
    {
        std::filesystem::permissions(root_ + "/locked", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(root_);
    }
    const std::string& root() const { return root_; }
    std::string path(const std::string& name) const { return root_ + "/" + name; }

private:
    std::string root_;
};

TEST_F(UnreadableCount, ACountOfARealTreeNamesTheFilesAndFoldersTheUserCannotRead)
{
    OpenFolder tree;
    std::ofstream(tree.path("main.c")) << "int main(void) { return 0; }\n";
    std::ofstream(tree.path("secret.c")) << "int secret;\n";
    std::filesystem::create_directory(tree.path("locked"));
    std::ofstream(tree.path("locked/hidden.c")) << "int hidden;\n";
    ::chmod(tree.path("secret.c").c_str(), 0);
    ::chmod(tree.path("locked").c_str(), 0);
    // Root reads everything: the counter runs as the user nobody then.
    const std::string built = QM_BUNDLE_DIR "/libexec/quillmarrow/scc";
    if (::geteuid() == 0) {
        const std::string wrapper = counter.path("scc-as-nobody");
        std::ofstream(wrapper) << "#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 --clear-groups -- " << built
                               << " \"$@\"\n";
        ::chmod(wrapper.c_str(), 0755);
        qm::overrideSccPath(wrapper);
    } else {
        qm::overrideSccPath(built);
    }
    auto project = std::make_shared<qm::Project>(tree.root());
    project->process();
    ASSERT_TRUE(waitFor([&] { return !*project->working; }));
    kit::runUntilIdle();
    ASSERT_EQ(project->final->size(), 1u) << printed.str();
    EXPECT_EQ(project->final.get()[0]->count, 1) << printed.str(); // main.c alone was counted
    auto entries = project->unreadable.get();
    std::sort(entries.first.begin(), entries.first.end());
    EXPECT_EQ(entries, (qm::UnreadableEntries{2,
                                              {tree.path("locked") + ": Permission denied",
                                               tree.path("secret.c") + ": Permission denied"}}));
}

} // namespace
