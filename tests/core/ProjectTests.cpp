// Counting a project: the counter's arguments, the results published, counts that replace,
// hold up or end one another, the reasons of failed counts, the limits on the output, and
// running a process to its end.
//
// Sections:
//   the model            equality, hashing, the counter's arguments
//   a count              success and its completion, the output printed or not, a large output
//                        printed slowly while it is decoded, a new count replacing one underway,
//                        a hung counter, ending every count
//   failures             what a failed count says, figures that cannot be true, the output's
//                        limit, a failed decode, a counter that cannot start, a released project
//   results              the first non-empty result kept
//   running a process    RunProcessTest: how the child ended, a stop, both streams read
//   giving back output   ProcessOutputTest, OutputGiveBackTest: the whole pages of a range
//                        given back, once both read and printed
//   without threads      CountWithoutThreadsDeathTest: the decoder on the calling thread, a
//                        count that cannot get a thread

#include "CountingTest.h"
#include "tests/support/NoMoreThreads.h"
#include "tests/support/ProcessState.h"

#include "core/CountFailureReason.h"
#include "core/OutputGiveBack.h"
#include "core/Project.h"
#include "core/RunProcess.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <ostream>
#include <stop_token>
#include <streambuf>
#include <string_view>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

using qmtest::Args;
using qmtest::counterOutput;
using qmtest::FakeCounter;

// Where two texts first differ (npos when they are the same): a readable
// failure for texts of many pages.
std::size_t firstDifference(std::string_view a, std::string_view b)
{
    const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return at == a.end() && a.size() == b.size() ? std::string_view::npos : static_cast<std::size_t>(at - a.begin());
}

TEST(ProjectModel, StartsEmptyIsEqualByPathAndHashesByPath)
{
    auto a = std::make_shared<qm::Project>("/tmp/scratch");
    auto b = std::make_shared<qm::Project>("/tmp/scratch");
    EXPECT_EQ(a->name, "scratch");
    EXPECT_TRUE(a->final->empty() && a->initial.empty());
    EXPECT_FALSE(*a->working || a->_doWatch);
    EXPECT_NE(a->id, b->id);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(std::hash<qm::Project>{}(*a), std::hash<qm::Project>{}(*b));
    EXPECT_FALSE(*a == qm::Project("/tmp/other"));
    EXPECT_EQ(qm::Project("/").name, "/");
}

TEST(ProjectModel, ArgumentListFollowsTheOptions)
{
    qm::Project project("/work/x");
    EXPECT_EQ(project.counterArguments(),
              (Args{"--by-file", "--format", "json", "--sort", "code", "--verbose", "/work/x"}));
    project.ignoreExtensions = " "; // a blank is not empty
    EXPECT_EQ(project.counterArguments(),
              (Args{"--by-file", "--format", "json", "--sort", "code", "--verbose", "--exclude-ext", " ", "/work/x"}));
    project.ignoreExtensions = "md,json";
    project.ignoreMinified = project.ignoreGenerated = project.omitDuplicates = true;
    EXPECT_EQ(project.counterArguments(),
              (Args{"--by-file", "--format", "json", "--sort", "code", "--verbose", "--exclude-ext", "md,json", "--min",
                    "--no-min", "--gen", "--no-gen", "--no-duplicates", "/work/x"}));
}

using ProjectCount = qmtest::CountingTest;

using qmtest::processGone;

TEST_F(ProjectCount, SuccessPublishesOnTheMainQueueThenCallsTheCompletionOnce)
{
    const std::string json = counterOutput({{"C++", {{"a.cpp", 40}}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", json));
    project->ignoreExtensions = "md";
    int announcements = 0;
    auto sub = project->objectWillChange.sink([&] { ++announcements; });
    int calls = 0;
    project->process([&](const qm::LanguageList& list) {
        ++calls;
        EXPECT_EQ(project->final->size(), 1u); // stored before the completion runs
        EXPECT_FALSE(*project->working);
        EXPECT_EQ(list.size(), 1u);
    });

    // The count has started; nothing is published yet.
    EXPECT_TRUE(*project->working);
    EXPECT_TRUE(project->final->empty());
    EXPECT_EQ(announcements, 2); // the explicit announcement, then working
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions"}));

    kit::runUntilIdle();
    EXPECT_EQ(FakeCounter::runs(project->path),
              (std::vector<Args>{{"--by-file", "--format", "json", "--sort", "code", "--verbose", "--exclude-ext", "md",
                                  project->path}}));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(*project->working);
    ASSERT_EQ(project->final->size(), 1u);
    EXPECT_EQ(project->final.get()[0]->name, "C++");
    EXPECT_EQ(project->initial, *project->final);
    EXPECT_EQ(lines(), (Args{"processing..", "processing with ignored extensions", "Output: " + json, "all ok"}));
}

TEST_F(ProjectCount, TheCounterOutputIsLeftUnprintedWhenSwitchedOff)
{
    const std::string json = counterOutput({{"C++", {{"a.cpp", 40}}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", json));
    qm::setCounterOutputPrinted(false);
    project->process([](const qm::LanguageList&) {});
    kit::runUntilIdle();
    qm::setCounterOutputPrinted(true);
    ASSERT_EQ(project->final->size(), 1u); // counted and decoded all the same
    EXPECT_EQ(lines(), (Args{"processing..", "all ok"}));
}

// A stream that takes its time over every long write, as a terminal or a
// pipe read slowly would: a count decodes its output long before it is printed.
class SlowStreamBuffer : public std::streambuf {
public:
    std::string written;

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            written.push_back(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize n) override
    {
        if (n >= 4096)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        written.append(text, static_cast<std::size_t>(n));
        return n;
    }
};

// Six thousand file records (several batches of the decoder's) in some
// 3.4 MB: 4,000 C files of 3 code, 1 comment and 2 blank lines, then 2,000
// Go files of 5 code lines and 1 blank one.
std::string largeCounterOutput()
{
    const std::string longName(150, 'n');
    return counterOutput({{"C", std::vector<qmtest::FakeFile>(4000, {longName + ".c", 3, 1, 2})},
                          {"Go", std::vector<qmtest::FakeFile>(2000, {longName + ".go", 5, 0, 1})}});
}

// A language of largeCounterOutput() and its files, worked out by hand: each
// file is as many bytes as lines, named after the language's extension.
struct LargeLanguage {
    std::string name, extension;
    std::int64_t files, code, comment, blank; // per file
};

void expectLanguage(const qm::LanguageEntry& language, const LargeLanguage& wanted)
{
    EXPECT_EQ(language.name, wanted.name);
    EXPECT_EQ(language.count, wanted.files);
    EXPECT_EQ(language.code, wanted.files * wanted.code);
    EXPECT_EQ(language.comment, wanted.files * wanted.comment);
    EXPECT_EQ(language.blank, wanted.files * wanted.blank);
    const std::int64_t lines = wanted.code + wanted.comment + wanted.blank;
    EXPECT_EQ(language.lines, wanted.files * lines);
    EXPECT_EQ(language.bytes, wanted.files * lines);
    ASSERT_EQ(static_cast<std::int64_t>(language.files.size()), wanted.files);
    // Files at the edges of the decoder's batches of 1,024.
    for (const std::int64_t i : {std::int64_t{0}, std::int64_t{1023}, std::int64_t{1024}, wanted.files - 1}) {
        const qm::FileEntry& file = *language.files[static_cast<std::size_t>(i)];
        EXPECT_EQ(file.filename, std::string(150, 'n') + wanted.extension) << i;
        EXPECT_EQ(file.location, "/x/" + std::string(150, 'n') + wanted.extension) << i;
        EXPECT_EQ(file.language, wanted.name) << i;
        EXPECT_EQ((std::vector<std::int64_t>{file.code, file.comment, file.blank, file.bytes}),
                  (std::vector<std::int64_t>{wanted.code, wanted.comment, wanted.blank, lines}))
            << i;
    }
}

void expectLargeCounterOutputDecoded(const qm::LanguageList& languages)
{
    ASSERT_EQ(languages.size(), 2u);
    expectLanguage(*languages[0], {"C", ".c", 4000, 3, 1, 2});
    expectLanguage(*languages[1], {"Go", ".go", 2000, 5, 0, 1});
}

TEST_F(ProjectCount, ALargeOutputPrintedSlowlyIsPrintedWholeWhileItIsDecoded)
{
    const std::string json = largeCounterOutput();
    ASSERT_GT(json.size(), std::size_t{3} << 20); // four parts of the printing
    auto project = std::make_shared<qm::Project>(counter.folder("app", json));
    SlowStreamBuffer buffer;
    std::ostream slow(&buffer);
    qm::setOutputStream(&slow);
    bool completed = false;
    project->process([&](const qm::LanguageList&) { completed = true; });
    kit::runUntilIdle();
    qm::setOutputStream(&printed);

    EXPECT_TRUE(completed);
    // Not a byte of the output is given back before it is printed.
    const std::string expected = "processing..\nOutput: " + json + "\nall ok\n";
    EXPECT_EQ(buffer.written.size(), expected.size());
    EXPECT_EQ(firstDifference(buffer.written, expected), std::string_view::npos);
    expectLargeCounterOutputDecoded(*project->final);
}

TEST_F(ProjectCount, ALargeOutputLeftUnprintedIsDecodedWhole)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app", largeCounterOutput()));
    qm::setCounterOutputPrinted(false);
    project->process([](const qm::LanguageList&) {});
    kit::runUntilIdle();
    qm::setCounterOutputPrinted(true);
    EXPECT_EQ(lines(), (Args{"processing..", "all ok"}));
    expectLargeCounterOutputDecoded(*project->final);
}

TEST_F(ProjectCount, TheCallerIsFreeWhileTheCounterRunsAndANewCountReplacesTheOneUnderway)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    FakeCounter::setOutputOfRun(project->path, 1, counterOutput({{"First", {}}}));
    FakeCounter::setOutputOfRun(project->path, 2, counterOutput({{"Second", {}}}));
    FakeCounter::hold(project->path, 1);
    Args completions, failures;
    auto complete = [&](const qm::LanguageList& list) { completions.push_back(list[0]->name); };
    auto fail = [&](const std::string& reason) { failures.push_back(reason); };
    project->process(complete, fail);

    // Back at once, while the counter waits.
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(project->path).has_value(); }));
    EXPECT_TRUE(*project->working);
    const int first = *FakeCounter::pid(project->path);

    // A reload while the first count runs ends that counter: only the new count is heard of.
    project->process(complete, fail);
    kit::runUntilIdle();
    EXPECT_EQ(completions, Args{"Second"});
    EXPECT_TRUE(failures.empty());
    EXPECT_FALSE(*project->working);
    EXPECT_EQ(project->final.get()[0]->name, "Second");
    EXPECT_EQ(FakeCounter::marks(project->path),
              (Args{"--run--", "--run--", "--end--"})); // the first never ended on its own
    EXPECT_NE(*FakeCounter::pid(project->path), first);
    const auto out = lines();
    EXPECT_EQ(std::count(out.begin(), out.end(), "all ok"), 1);
}

TEST_F(ProjectCount, AHungCounterHoldsUpNoOtherProjectAndEndsWithItsProject)
{
    auto hung = std::make_shared<qm::Project>(counter.folder("hung"));
    FakeCounter::hang(hung->path);
    bool hungHeardOf = false;
    hung->process([&](const auto&) { hungHeardOf = true; }, [&](const auto&) { hungHeardOf = true; });
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(hung->path).has_value(); }));
    const int hungCounter = *FakeCounter::pid(hung->path);

    // Other projects are counted meanwhile, as often as asked.
    Args completions;
    for (const std::string name : {"a", "b"}) {
        auto other = std::make_shared<qm::Project>(counter.folder(name, counterOutput({{name, {}}})));
        other->process([&](const qm::LanguageList& list) { completions.push_back(list[0]->name); });
        ASSERT_TRUE(waitFor([&] { return completions.size() == (name == "a" ? 1u : 2u); })) << name;
    }
    EXPECT_EQ(completions, (Args{"a", "b"}));
    EXPECT_TRUE(*hung->working);

    // Removing the project ends its counter; nothing of it is published.
    hung->endCounts();
    EXPECT_FALSE(*hung->working);
    kit::runUntilIdle(); // returns: no count is left running
    EXPECT_FALSE(hungHeardOf);
    EXPECT_TRUE(processGone(hungCounter));

    // A stopped count fails, saying so, and keeps the earlier results.
    auto stopped = std::make_shared<qm::Project>(counter.folder("stopped", counterOutput({{"Go", {}}})));
    stopped->process();
    kit::runUntilIdle();
    FakeCounter::hang(stopped->path);
    std::vector<std::string> reasons;
    stopped->process({}, [&](const std::string& reason) { reasons.push_back(reason); });
    ASSERT_TRUE(waitFor([&] { return FakeCounter::runs(stopped->path).size() == 2; }));
    stopped->stopCounts();
    kit::runUntilIdle();
    EXPECT_EQ(reasons, std::vector<std::string>{"The count was stopped before the counter ended."});
    EXPECT_FALSE(*stopped->working);
    EXPECT_EQ(stopped->final->size(), 1u);
    EXPECT_EQ(lines().back(), "Caught: The count was stopped before the counter ended.");

    // A project released while its counter hangs ends it too.
    auto released = std::make_shared<qm::Project>(counter.folder("released"));
    FakeCounter::hang(released->path);
    released->process();
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(released->path).has_value(); }));
    released.reset();
    kit::runUntilIdle();
}

TEST_F(ProjectCount, EndingAllCountsStopsEveryCounter)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    const auto other = std::make_shared<qm::Project>(counter.folder("other"));
    bool published = false;
    for (const auto& p : {project, other}) {
        FakeCounter::hold(p->path, 1);
        p->process([&](const auto&) { published = true; }, [&](const auto&) { published = true; });
    }
    ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(project->path) && FakeCounter::pid(other->path); }));

    qm::Project::endAllCounts();
    EXPECT_TRUE(processGone(*FakeCounter::pid(project->path)));
    EXPECT_TRUE(processGone(*FakeCounter::pid(other->path)));
    kit::runUntilIdle();
    EXPECT_FALSE(published);
    EXPECT_EQ(lines(), (Args{"processing..", "processing.."})); // no output, no error

    // Counts asked for afterwards run as usual.
    other->process([&](const auto&) { published = true; });
    kit::runUntilIdle();
    EXPECT_TRUE(published);
}

TEST_F(ProjectCount, AFailedCountSaysWhy)
{
    const std::string json = counterOutput({{"C", {{"a.c", 3}}}});
    struct Case {
        std::string output;
        int status;
        std::string signal;
        std::string reason;
    };
    for (const Case& c : std::vector<Case>{
             {"scc: cannot read /x: Permission denied\nmore\n", 2, "",
              "The counter stopped with status 2: scc: cannot read /x: Permission denied"},
             {"", 3, "", "The counter stopped with status 3."},
             // Valid output does not make a failed run a success, nor is it shown as a message.
             {json, 1, "", "The counter stopped with status 1."},
             {json + "\n", 4, "", "The counter stopped with status 4."},
             {json, 0, "KILL", "The counter was ended by signal 9 (Killed)."},
             {json.substr(0, json.size() / 2), 0, "SEGV", "The counter was ended by signal 11 (Segmentation fault)."},
             {"[", 0, "",
              "The counter's output could not be read (dataCorrupted at the top level: The given data was not valid "
              "JSON. "},
         }) {
        auto project = std::make_shared<qm::Project>(counter.folder("app", c.output));
        FakeCounter::setExitStatus(project->path, c.status);
        if (!c.signal.empty())
            FakeCounter::setSignal(project->path, c.signal);
        std::vector<std::string> reasons, heard;
        bool completed = false;
        auto sub = project->countFailed.sink([&](const std::string& reason) { heard.push_back(reason); });
        project->process([&](const auto&) { completed = true; },
                         [&](const std::string& reason) { reasons.push_back(reason); });
        kit::runUntilIdle();
        EXPECT_FALSE(completed) << c.reason;
        EXPECT_TRUE(project->final->empty());
        EXPECT_FALSE(*project->working);
        ASSERT_EQ(reasons.size(), 1u) << c.reason;
        EXPECT_EQ(reasons[0].substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(heard, reasons);
        std::filesystem::remove_all(project->path);
    }
}

TEST_F(ProjectCount, FiguresThatCannotBeTrueAreRefused)
{
    // One language, Go, with files a.go and b.go: its figures are their sums.
    const auto output = [](const std::string& from, const std::string& to) {
        std::string text = counterOutput({{"Go", {{"a.go", 5, 2, 1, 100}, {"b.go", 3, 0, 0, 40}}}});
        if (!from.empty())
            text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string from, to, problem;
    };
    for (
        const Case& c : std::vector<Case>{
            {R"("Code":5)", R"("Code":-5)", R"(Go, a.go: "Code" is -5)"},
            {R"("Bytes":40)", R"("Bytes":-40)", R"(Go, b.go: "Bytes" is -40)"},
            {R"("Complexity":0,"Count")", R"("Complexity":-1,"Count")", R"(Go: "Complexity" is -1)"},
            {R"("Lines":8,"Code":5)", R"("Lines":9,"Code":5)",
             R"(Go, a.go: "Lines" is 9, not the sum of "Code", "Comment" and "Blank")"},
            {R"("Count":2)", R"("Count":3)", R"(Go: "Count" is 3, not its number of files, 2)"},
            {R"("Lines":11,"Code":8)", R"("Lines":12,"Code":8)", R"(Go: "Lines" is 12, not the sum of its files', 11)"},
            {R"("Bytes":140)", R"("Bytes":1)", R"(Go: "Bytes" is 1, not the sum of its files', 140)"},
            // Each line takes a byte at least (its line end, or the last line's text): eight
            // lines take eight bytes, a hundred bytes hold a hundred lines at most.
            {R"("Bytes":100,"Lines":8,"Code":5)", R"("Bytes":7,"Lines":8,"Code":5)",
             R"(Go, a.go: "Lines" is 8, more than its "Bytes", 7)"},
            {R"("Bytes":100,"Lines":8,"Code":5,"Comment":2,"Blank":1)",
             R"("Bytes":100,"Lines":1000,"Code":997,"Comment":2,"Blank":1)",
             R"(Go, a.go: "Lines" is 1000, more than its "Bytes", 100)"},
            // Each file as large as 64 bits hold: their sum is not.
            {R"("Bytes":100,"Lines":8,"Code":5,"Comment":2,"Blank":1)",
             R"("Bytes":9223372036854775807,"Lines":9223372036854775807,"Code":9223372036854775807,"Comment":0,"Blank":0)",
             "Go: its files' figures add up to more than 64 bits hold"},
        }) {
        auto project = std::make_shared<qm::Project>(counter.folder("app", output(c.from, c.to)));
        std::string reason;
        project->process({}, [&](const std::string& said) { reason = said; });
        kit::runUntilIdle();
        EXPECT_EQ(reason, "The counter's output holds figures that cannot be true (" + c.problem + ").");
        EXPECT_TRUE(project->final->empty());
    }
    // Two languages each within 64 bits whose totals are not.
    std::string huge = counterOutput({{"Go", {{"a.go", 0, 0, 0, 0}}}});
    for (int i = 0; i < 2; ++i) { // the language's figures and its file's
        huge.replace(huge.find(R"("Lines":0,"Code":0)"), 18,
                     R"("Lines":9223372036854775807,"Code":9223372036854775807)");
        huge.replace(huge.find(R"("Bytes":0,)"), 10, R"("Bytes":9223372036854775807,)");
    }
    const std::string twice = "[" + huge.substr(1, huge.size() - 2) + "," + huge.substr(1, huge.size() - 2) + "]";
    auto project = std::make_shared<qm::Project>(counter.folder("app", twice));
    std::string reason;
    project->process({}, [&](const std::string& said) { reason = said; });
    kit::runUntilIdle();
    EXPECT_EQ(reason, "The counter's output holds figures that cannot be true (the project's totals add up to more "
                      "than 64 bits hold).");

    // The figures as given stand.
    auto fine = std::make_shared<qm::Project>(counter.folder("fine", output("", "")));
    fine->process();
    kit::runUntilIdle();
    ASSERT_EQ(fine->final->size(), 1u);
    EXPECT_EQ(fine->final.get()[0]->lines, 11);
}

TEST(ProjectModel, TheOutputOfTheLargestRealTreesIsRead)
{
    // Five million one-line files with names of 200 characters, a record each.
    std::vector<qmtest::FakeFile> files(1000, {std::string(200, 'n') + ".c", 1});
    const std::size_t perThousand = counterOutput({{"C", files}}).size();
    EXPECT_GT(qm::Project::largestOutput(), std::uint64_t{5000} * perThousand);
}

TEST_F(ProjectCount, OutputBeyondTheLimitIsRefusedWithoutBeingHeld)
{
    qm::Project::overrideLargestOutput(std::size_t{1} << 20);
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    FakeCounter::setHugeOutput(project->path, std::size_t{64} << 20);
    std::string reason;
    project->process({}, [&](const std::string& said) { reason = said; });
    kit::runUntilIdle();
    qm::Project::overrideLargestOutput(qm::defaultLargestOutput);
    EXPECT_EQ(reason, "The counter wrote more than 1 MiB, more than any real folder gives; its output was not read.");
    qm::ProcessResult tooLarge;
    tooLarge.outputTooLarge = true;
    EXPECT_EQ(qm::failureOfRun(tooLarge, "scc", qm::defaultLargestOutput),
              "The counter wrote more than 4 GiB, more than any real folder gives; its output was not read.");
}

TEST_F(ProjectCount, AFailedDecodeKeepsEarlierResultsAndSkipsTheCompletion)
{
    const std::string good = counterOutput({{"C", {}}});
    auto project = std::make_shared<qm::Project>(counter.folder("app", good));
    project->process();
    kit::runUntilIdle();
    const auto earlier = *project->final;

    bool completed = false;
    for (const auto& [output, standardError] : std::vector<std::pair<std::string, std::string>>{
             {good.substr(0, good.size() - 1) + R"(,{"Name":"Go"}])", ""}, // a missing key
             {"[\"\xC3\x28\"]", ""},                                       // bytes that are not UTF-8
             {"\xFF\xFE garbage", ""},                                     // no JSON at all
             {good, "warning: x\n"},                                       // text on standard error
         }) {
        FakeCounter::setOutput(project->path, output);
        FakeCounter::setStandardError(project->path, standardError);
        printed.str("");
        project->process([&](const auto&) { completed = true; });
        kit::runUntilIdle();
        EXPECT_FALSE(completed);
        EXPECT_FALSE(*project->working);
        EXPECT_EQ(*project->final, earlier);
        ASSERT_FALSE(lines().empty());
        EXPECT_EQ(lines().back().rfind("Caught: ", 0), 0u) << lines().back();
    }
}

TEST_F(ProjectCount, ACounterThatCannotStartReportsAndFailsTheCount)
{
    std::ofstream(counter.path("not-executable")) << "#!/bin/sh\necho hi\n";
    for (const auto& [broken, why] : std::vector<std::pair<std::string, std::string>>{
             {counter.path("missing-counter"), "The counter is missing from Quillmarrow's installation: " +
                                                   counter.path("missing-counter") + " does not exist."},
             {counter.path("not-executable"),
              "The process " + counter.path("not-executable") + " could not be started: Permission denied."}}) {
        qm::overrideSccPath(broken);
        printed.str("");
        auto project = std::make_shared<qm::Project>(counter.folder("app"));
        std::string reason;
        project->process({}, [&](const std::string& said) { reason = said; });
        kit::runUntilIdle();
        EXPECT_EQ(reason, why);
        const auto out = lines();
        ASSERT_EQ(out.size(), 4u);
        EXPECT_EQ(out[0], "processing..");
        EXPECT_EQ(out[1].rfind("ERROR: ", 0), 0u);
        EXPECT_NE(out[1].find(broken), std::string::npos);
        EXPECT_EQ(out[2], "Output: ");
        EXPECT_EQ(out[3].rfind("Caught: ", 0), 0u);
        EXPECT_FALSE(*project->working);
    }
}

TEST_F(ProjectCount, AReleasedProjectGetsNothingPublishedAndItsCounterEnds)
{
    bool completed = false;
    std::weak_ptr<qm::Project> watch;
    std::string folder;
    {
        auto project = std::make_shared<qm::Project>(counter.folder("app", counterOutput({{"C", {}}})));
        folder = project->path;
        FakeCounter::hold(folder, 1);
        watch = project;
        project->process([&](const auto&) { completed = true; });
        ASSERT_TRUE(waitFor([&] { return FakeCounter::pid(folder).has_value(); }));
    }
    kit::runUntilIdle();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(completed);
    EXPECT_EQ(lines(), Args{"processing.."});
    EXPECT_EQ(FakeCounter::marks(folder), Args{"--run--"}); // ended, not run to its end
}

TEST_F(ProjectCount, InitialKeepsTheFirstNonEmptyResult)
{
    auto project = std::make_shared<qm::Project>(counter.folder("app"));
    project->process();
    kit::runUntilIdle();
    EXPECT_TRUE(project->initial.empty()); // an empty first result leaves it empty

    FakeCounter::setOutputOfRun(project->path, 2, counterOutput({{"Old", {}}}));
    FakeCounter::setOutputOfRun(project->path, 3, counterOutput({{"New", {}}}));
    for (const std::string expected : {"Old", "New"}) {
        project->process();
        kit::runUntilIdle();
        EXPECT_EQ(project->final.get()[0]->name, expected);
        EXPECT_EQ(project->initial.at(0)->name, "Old");
    }
}

TEST(RunProcessTest, TellsHowTheChildEnded)
{
    struct Case {
        std::string script;
        int status;
    };
    for (const Case& c : std::vector<Case>{{"exit 0", 0}, {"exit 3", 3}, {"kill -TERM $$", 128 + 15}}) {
        const auto result = qm::runProcessToEnd("/bin/sh", {"-c", c.script}, qm::processGeneration());
        EXPECT_EQ(result.exitStatus, c.status) << c.script;
        EXPECT_FALSE(result.ended || result.startError);
    }
    // A run asked for before the latest end of all runs does not start.
    const auto before = qm::processGeneration();
    qm::endRunningProcesses();
    const auto late = qm::runProcessToEnd("/bin/sh", {"-c", "echo started"}, before);
    EXPECT_TRUE(late.ended);
    EXPECT_EQ(late.output, "");
    // The output keeps the room asked for after its end.
    const auto roomy = qm::runProcessToEnd("/bin/sh", {"-c", "printf abc"}, qm::processGeneration(), 64);
    EXPECT_FALSE(roomy.outputTooLarge);
    EXPECT_EQ(roomy.output, "abc");
    EXPECT_GE(roomy.output.capacity(), 3u + 64u);
    // Megabytes written at once arrive whole, followed by the room asked for, all zero bytes.
    const auto large = qm::runProcessToEnd("/bin/sh", {"-c", "head -c 5000000 /dev/zero | tr '\\0' x; printf end"},
                                           qm::processGeneration(), 64);
    ASSERT_EQ(large.output.size(), 5000003u);
    EXPECT_EQ(large.output.view().find_first_not_of('x'), 5000000u);
    EXPECT_EQ(large.output.view().substr(5000000), "end");
    ASSERT_GE(large.output.capacity(), 5000003u + 64u);
    EXPECT_TRUE(std::all_of(large.output.data() + large.output.size(), large.output.data() + large.output.capacity(),
                            [](char c) { return c == 0; }));

    // The most output a run takes, exactly; one byte more is refused, and
    // a writer that goes on meets a write error instead of growing memory.
    const auto full = qm::runProcessToEnd("/bin/sh", {"-c", "head -c 1000 /dev/zero"}, qm::processGeneration(), 64, {},
                                          1000);
    EXPECT_FALSE(full.outputTooLarge);
    EXPECT_EQ(full.output.size(), 1000u);
    const auto over = qm::runProcessToEnd("/bin/sh", {"-c", "head -c 1001 /dev/zero"}, qm::processGeneration(), 64, {},
                                          1000);
    EXPECT_TRUE(over.outputTooLarge);
    EXPECT_TRUE(over.output.empty());
    // (The writers first wait a moment, as a counter walks its tree before
    // it writes: the limit is set just after the child starts.)
    const auto endless = qm::runProcessToEnd("/bin/sh", {"-c", "sleep 0.3; cat /dev/zero"}, qm::processGeneration(), 64,
                                             {}, 1000);
    EXPECT_TRUE(endless.outputTooLarge);
    EXPECT_EQ(endless.signal, SIGXFSZ);
    // Whatever it writes in one go.
    const auto oneGo =
        qm::runProcessToEnd("/bin/sh",
                            {"-c", "sleep 0.3; head -c 100000 /dev/zero | dd bs=100000 iflag=fullblock 2>/dev/null"},
                            qm::processGeneration(), 64, {}, 1000);
    EXPECT_TRUE(oneGo.outputTooLarge);
}

TEST(RunProcessTest, AStopEndsTheRunOrKeepsItFromStarting)
{
    std::stop_source stop;
    std::atomic<bool> started = false;
    std::thread stopper([&] {
        while (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        stop.request_stop();
    });
    started = true;
    const auto stopped = qm::runProcessToEnd("/bin/sh", {"-c", "sleep 60; echo late"}, qm::processGeneration(), 0,
                                             stop.get_token());
    stopper.join();
    EXPECT_TRUE(stopped.ended);
    EXPECT_EQ(stopped.output, "");
    const auto never = qm::runProcessToEnd("/bin/sh", {"-c", "echo started"}, qm::processGeneration(), 0,
                                           stop.get_token());
    EXPECT_TRUE(never.ended);
    EXPECT_EQ(never.output, "");
}

TEST(RunProcessTest, JoinsBothStreamsReadsToTheEndAndReapsTheChild)
{
    EXPECT_EQ(qm::runProcess("/bin/sh", {"-c", "printf 'one\\n'; printf 'two\\n' >&2; printf 'three'; cat; exit 3"}),
              "one\ntwo\nthree");
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1); // no child left behind
    EXPECT_EQ(errno, ECHILD);
    EXPECT_EQ(qm::runProcess("/bin/sh", {"-c", "printf '\\377\\000x'"}), std::string("\xFF\0x", 3));
}

// The text a child wrote: five pages of 'x', then "tail" on a sixth.
qm::ProcessOutput pagesOfX(std::size_t page)
{
    auto run =
        qm::runProcessToEnd("/bin/sh",
                            {"-c", "head -c " + std::to_string(5 * page) + " /dev/zero | tr '\\0' x; printf tail"},
                            qm::processGeneration(), 64);
    return std::move(run.output);
}

// The text of pagesOfX() with these pages (from 0) read as zero bytes.
std::string pagesOfXWithout(std::size_t page, const std::vector<std::size_t>& zeroPages)
{
    std::string text = std::string(5 * page, 'x') + "tail";
    for (std::size_t p : zeroPages)
        std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(p * page), page, '\0');
    return text;
}

TEST(ProcessOutputTest, GivesBackTheWholePagesOfARangeAndKeepsEveryOtherByte)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    auto output = pagesOfX(page);
    ASSERT_EQ(output.size(), 5 * page + 4);
    ASSERT_EQ(firstDifference(output, pagesOfXWithout(page, {})), std::string_view::npos);

    // From the middle of page 0 to the middle of page 3: pages 1 and 2 go,
    // the half pages at either end stay.
    output.giveBack(page / 2, 3 * page);
    EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2})), std::string_view::npos);
    // Less than a page, even across a page's end, gives back nothing.
    output.giveBack(3 * page + 1, page);
    output.giveBack(4 * page - 10, 20);
    EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2})), std::string_view::npos);
    // At or past the end of the text, nothing; a range running past it gives
    // back its whole pages and keeps the last, part-filled one.
    output.giveBack(output.size(), 10 * page);
    output.giveBack(100 * page, page);
    EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2})), std::string_view::npos);
    output.giveBack(4 * page - 1, 10 * page);
    EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2, 4})), std::string_view::npos);
    EXPECT_EQ(output.view().substr(5 * page), "tail");
    // The zero bytes after the text are still there to read.
    EXPECT_TRUE(
        std::all_of(output.data() + output.size(), output.data() + output.capacity(), [](char c) { return c == 0; }));

    // An output that maps no file has nothing to give back.
    qm::ProcessOutput none;
    none.giveBack(0, page);
    EXPECT_EQ(none, "");
}

TEST(ProcessOutputTest, GivingBackFreesTheFilesMemory)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const int file = ::memfd_create("given back", MFD_CLOEXEC);
    ASSERT_GE(file, 0);
    const std::string text = pagesOfXWithout(page, {});
    ASSERT_EQ(::write(file, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    auto blocks = [file] {
        struct stat status {};
        ::fstat(file, &status);
        return static_cast<std::size_t>(status.st_blocks) * 512;
    };
    qm::ProcessOutput output(file, text.size(), 64);
    ASSERT_EQ(output, text);
    // Six pages hold the text (the room after it is a hole); when the system
    // keeps this file in larger pages, only what is read can be checked.
    const bool smallPages = blocks() == 6 * page;
    output.giveBack(page, 2 * page);
    output.giveBack(4 * page, 2 * page);
    // Before anything reads them: reading a page given back takes a fresh
    // page of the file again.
    if (smallPages) {
        EXPECT_EQ(blocks(), 3 * page);
    }
    EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2, 4})), std::string_view::npos);
    output.reset();
    ::close(file);
}

TEST(OutputGiveBackTest, GivesBackWhatIsBothReadAndPrinted)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    {
        auto output = pagesOfX(page);
        qm::OutputGiveBack giveBack(output, true);
        // Read but not printed: kept.
        giveBack.read(0, 3 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {})), std::string_view::npos);
        // Printed up to page 2: pages 0 and 1 go, page 2 waits for the printing.
        giveBack.printedTo(2 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1})), std::string_view::npos);
        // Printed further than read: what is read goes, what is not stays.
        giveBack.printedTo(4 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1, 2})), std::string_view::npos);
        // Read once printed: at once. Printing that goes back changes nothing.
        giveBack.printedTo(page);
        giveBack.read(3 * page, page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1, 2, 3})), std::string_view::npos);
        // Page 4 is printed to the end only with the whole text; the tail's page never goes.
        giveBack.read(4 * page, page + 4);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1, 2, 3})), std::string_view::npos);
        giveBack.printedTo(output.size());
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1, 2, 3, 4})), std::string_view::npos);
    }
    {
        // Two read ranges waiting, printed past both in one step.
        auto output = pagesOfX(page);
        qm::OutputGiveBack giveBack(output, true);
        giveBack.read(3 * page, page);
        giveBack.read(page, page);
        giveBack.printedTo(page); // neither is printed yet
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {})), std::string_view::npos);
        giveBack.printedTo(output.size());
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 3})), std::string_view::npos);
    }
    {
        // Without printing, whatever is read goes at once.
        auto output = pagesOfX(page);
        qm::OutputGiveBack giveBack(output, false);
        giveBack.read(page, 2 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2})), std::string_view::npos);
        giveBack.read(4 * page, page + 4);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {1, 2, 4})), std::string_view::npos);
    }
}

TEST(OutputGiveBackTest, APageReadWholeIsGivenBackOnceItIsPrintedInTwoSteps)
{
    // The printing stops inside page 1, then goes on past it: page 1 is then
    // both read and printed, and goes like the pages on either side of it.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    for (const bool readFirst : {true, false}) {
        auto output = pagesOfX(page);
        qm::OutputGiveBack giveBack(output, true);
        if (readFirst)
            giveBack.read(0, 3 * page);
        giveBack.printedTo(page + 10);
        if (!readFirst)
            giveBack.read(0, 3 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0})), std::string_view::npos) << readFirst;
        giveBack.printedTo(3 * page);
        EXPECT_EQ(firstDifference(output, pagesOfXWithout(page, {0, 1, 2})), std::string_view::npos) << readFirst;
    }
}

} // namespace

namespace {

using qmtest::startNoMoreThreads;

using CountWithoutThreadsDeathTest = qmtest::CountingTest;

TEST_F(CountWithoutThreadsDeathTest, TheDecoderReadsOnTheCallingThread)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Enough file records to ask for helper threads.
    const std::string json = counterOutput({{"C", std::vector<qmtest::FakeFile>(3000, {"f.c", 2, 1, 1, 10})}});
    EXPECT_EXIT(
        {
            startNoMoreThreads();
            const auto languages = qm::decodeCounterOutput(json);
            std::_Exit(languages.size() == 1 && languages[0]->files.size() == 3000 &&
                               languages[0]->files[2999]->code == 2
                           ? 0
                           : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(CountWithoutThreadsDeathTest, ACountWithoutAThreadFailsSayingWhy)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            startNoMoreThreads();
            auto project = std::make_shared<qm::Project>("/tmp");
            std::string reason;
            project->process({}, [&](const std::string& said) { reason = said; });
            kit::MainQueue::drain();
            std::_Exit(reason == "The count could not be started: Resource temporarily unavailable." &&
                               !*project->working
                           ? 0
                           : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
