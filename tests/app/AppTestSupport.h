#pragma once

#include "core/LanguageEntry.h"

#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm::test {

// A file of a fake count: name and line counts.
struct FakeFile {
    std::string filename;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
    std::int64_t bytes = 0;
};

// A language of a fake count; its totals are the sums of its files.
struct FakeLanguage {
    std::string name;
    std::vector<FakeFile> files;
};

// The counter's JSON output for these languages.
std::string counterOutput(const std::vector<FakeLanguage>& languages);
// Decoded records for these languages, as a count would give them.
LanguageList languageList(const std::vector<FakeLanguage>& languages);

// A stand-in for the bundled counter: for a folder it prints the folder's
// "counter.json" (an error when there is none) and appends its arguments to
// the folder's ".args". Installed for the lifetime of the object.
class FakeCounter {
public:
    FakeCounter();
    ~FakeCounter();

    // A new folder whose count gives `output`.
    std::string folder(const std::string& name, const std::string& output);
    // Changes what the folder's next count gives.
    static void setOutput(const std::string& folder, const std::string& output);
    // The argument lines the counter was run with for a folder.
    static std::vector<std::string> runs(const std::string& folder);

private:
    QTemporaryDir dir_;
};

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
