#include "app/paths/LocalPath.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <optional>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

// The entry of `folder` whose name Qt shows as `shown`, when exactly one does.
std::optional<QByteArray> entryShownAs(const QByteArray& folder, const QString& shown)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return std::nullopt;
    std::optional<QByteArray> found;
    bool ambiguous = false;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) != shown)
            continue;
        ambiguous = found.has_value();
        found = name;
    }
    ::closedir(dir);
    return ambiguous ? std::nullopt : found;
}

} // namespace

QByteArray absolutePath(const QByteArray& path, const QByteArray& workingFolder)
{
    if (path.startsWith('/'))
        return path;
    QByteArrayList components = workingFolder.split('/');
    components.removeAll(QByteArray());
    for (const QByteArray& component : path.split('/')) {
        if (component == "..") {
            if (!components.isEmpty())
                components.removeLast();
        } else if (!component.isEmpty() && component != ".") {
            components << component;
        }
    }
    return '/' + components.join('/');
}

bool existsOnDisk(const QByteArray& path)
{
    struct stat status;
    return !path.isEmpty() && ::lstat(path.constData(), &status) == 0;
}

QByteArray workingFolder()
{
    // The system's bytes (Qt's text would lose a name that is not UTF-8); a
    // folder that is gone leaves the root.
    std::vector<char> buffer(PATH_MAX);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.data());
}

QUrl fileUrl(const QByteArray& path)
{
    // A relative path must not follow "file://" as it stands: its first
    // component would be read as the URL's host.
    return QUrl::fromEncoded("file://" + absolutePath(path, workingFolder()).toPercentEncoding("/"), QUrl::StrictMode);
}

QByteArray localPath(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

QByteArray pathOnDisk(const QString& shown)
{
    const QByteArray direct = QFile::encodeName(shown);
    if (!shown.contains(QChar::ReplacementCharacter) || existsOnDisk(direct))
        return direct;
    QByteArray path;
    const QStringList components = shown.split(u'/');
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components[i];
        const QByteArray folder = i == 0 ? QByteArray(".") : path.isEmpty() ? QByteArray("/") : path;
        if (i > 0)
            path += '/';
        if (!component.contains(QChar::ReplacementCharacter)) {
            path += QFile::encodeName(component);
            continue;
        }
        const auto entry = entryShownAs(folder, component);
        if (!entry)
            return {};
        path += *entry;
    }
    return path;
}

} // namespace qm
