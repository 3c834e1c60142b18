#pragma once

#include "tests/support/FakeCounter.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm::test {

using qmtest::counterOutput;
using qmtest::FakeCounter;
using qmtest::FakeFile;
using qmtest::FakeLanguage;
using qmtest::languageList;

// Runs the main loop (and the main queue) until `done` or a generous limit.
bool waitUntil(const std::function<bool()>& done);
// Runs what is queued on the main loop now.
void settle();

// Captures standard output while it lives.
class CapturedOutput {
public:
    CapturedOutput();
    ~CapturedOutput();
    std::string text() const;
    int count(const std::string& line) const;

private:
    std::streambuf* previous_;
    std::unique_ptr<std::stringstream> buffer_;
};

// Receives URLs handed to the desktop (QDesktopServices::setUrlHandler).
class UrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

// Empties the shared project manager (projects and selection).
void resetProjectManager();

} // namespace qm::test
