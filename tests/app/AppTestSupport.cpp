#include "AppTestSupport.h"

#include "core/LanguageResources.h"
#include "core/ProjectManager.h"
#include "kit/base/Bundle.h"
#include "kit/base/MainQueue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>

namespace qm::test {

bool waitUntil(const std::function<bool()>& done)
{
    return QTest::qWaitFor(
        [&] {
            kit::MainQueue::drain();
            return done();
        },
        20000);
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        kit::MainQueue::drain();
        QCoreApplication::processEvents();
    }
}

CapturedOutput::CapturedOutput() : buffer_(std::make_unique<std::stringstream>())
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
        std::ofstream(share.toStdString() + "/langspecs.json")
            << R"({"Go": {"color": "#00ADD8"}, "C": {"color": "#555555"}})";
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
