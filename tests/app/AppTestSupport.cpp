#include "AppTestSupport.h"

#include "core/LanguageResources.h"
#include "core/ProjectManager.h"
#include "kit/base/Bundle.h"
#include "kit/base/MainQueue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <sstream>

namespace qm::test {

std::string counterOutput(const std::vector<FakeLanguage>& languages)
{
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const FakeLanguage& language : languages) {
        std::int64_t code = 0, comment = 0, blank = 0, bytes = 0;
        nlohmann::ordered_json files = nlohmann::ordered_json::array();
        for (const FakeFile& f : language.files) {
            code += f.code;
            comment += f.comment;
            blank += f.blank;
            bytes += f.bytes;
            files.push_back({{"Language", language.name}, {"PossibleLanguages", {language.name}}, {"Filename", f.filename},
                             {"Extension", ""}, {"Location", "/x/" + f.filename}, {"Symlocation", ""}, {"Bytes", f.bytes},
                             {"Lines", f.code + f.comment + f.blank}, {"Code", f.code}, {"Comment", f.comment}, {"Blank", f.blank},
                             {"Complexity", 0}, {"WeightedComplexity", 0}, {"Binary", false}, {"Minified", false},
                             {"Generated", false}, {"EndPoint", 0}});
        }
        out.push_back({{"Name", language.name}, {"Bytes", bytes}, {"CodeBytes", 0}, {"Lines", code + comment + blank},
                       {"Code", code}, {"Comment", comment}, {"Blank", blank}, {"Complexity", 0},
                       {"Count", std::int64_t(language.files.size())}, {"WeightedComplexity", 0}, {"Files", files}});
    }
    return out.dump();
}

LanguageList languageList(const std::vector<FakeLanguage>& languages)
{
    return decodeCounterOutput(counterOutput(languages));
}

FakeCounter::FakeCounter()
{
    const QString script = dir_.filePath(QStringLiteral("scc"));
    QFile file(script);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\nfor last; do :; done\necho \"$*\" >> \"$last/.args\"\ncat \"$last/counter.json\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    overrideSccPath(script.toStdString());
}

FakeCounter::~FakeCounter() = default;

std::string FakeCounter::folder(const std::string& name, const std::string& output)
{
    const QString path = dir_.filePath(QString::fromStdString(name));
    QDir().mkpath(path);
    setOutput(path.toStdString(), output);
    return path.toStdString();
}

void FakeCounter::setOutput(const std::string& folder, const std::string& output)
{
    std::ofstream(folder + "/counter.json", std::ios::trunc) << output;
}

std::vector<std::string> FakeCounter::runs(const std::string& folder)
{
    std::vector<std::string> lines;
    std::ifstream in(folder + "/.args");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool waitUntil(const std::function<bool()>& done)
{
    return QTest::qWaitFor([&] {
        kit::MainQueue::drain();
        return done();
    }, 20000);
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        kit::MainQueue::drain();
        QCoreApplication::processEvents();
    }
}

CapturedOutput::CapturedOutput()
    : buffer_(std::make_unique<std::stringstream>())
{
    previous_ = std::cout.rdbuf(buffer_->rdbuf());
}

CapturedOutput::~CapturedOutput()
{
    std::cout.rdbuf(previous_);
}

std::string CapturedOutput::text() const
{
    return buffer_->str();
}

int CapturedOutput::count(const std::string& line) const
{
    std::istringstream in(buffer_->str());
    int n = 0;
    for (std::string l; std::getline(in, l);)
        n += l == line;
    return n;
}

void resetProjectManager()
{
    settle();
    ProjectManager& manager = *ProjectManager::shared();
    while (!manager.projects->empty())
        manager.removeProject(manager.projects->front());
    manager.selectedProject = nullptr;
    manager.selectedLanguage = nullptr;
    settle();
}

} // namespace qm::test

namespace qm::test {
namespace {

// The tests' bundle: small language resources of their own.
class TestBundle : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QString share = dir_.filePath(QStringLiteral("share/quillmarrow"));
        QDir().mkpath(share);
        std::ofstream(share.toStdString() + "/langspecs.json") << R"({"Go": {"color": "#00ADD8"}, "C": {"color": "#555555"}})";
        std::ofstream(share.toStdString() + "/supported.json")
            << R"([{"lang": "Go", "supported": [{"content": "Functions", "extension": true, "recognize": true}]}])";
        kit::Bundle::overrideMain(dir_.path().toStdString());
    }

private:
    QTemporaryDir dir_;
};

const auto* const kBundle = ::testing::AddGlobalTestEnvironment(new TestBundle);

} // namespace
} // namespace qm::test
