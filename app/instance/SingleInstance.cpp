#include "app/instance/SingleInstance.h"

#include "kit/base/Url.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {
constexpr int kConnectTimeoutMs = 2000;
const QByteArray kGreeting = "quillmarrow-open\n";
const QByteArray kAnswer = "quillmarrow-taken\n";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent),
      key_(QDir::isAbsolutePath(key) ? std::move(key) : QDir(temporaryFolder(::getuid())).filePath(key))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    if (const QString own = qEnvironmentVariable("QUILLMARROW_INSTANCE_KEY"); !own.isEmpty())
        return own;
    // A runtime folder that is missing, or not the user's alone, is not used.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool usable = QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime, false);
    return keyFor(::getuid(), usable ? runtime : QString(), qEnvironmentVariable("WAYLAND_DISPLAY"),
                  qEnvironmentVariable("DISPLAY"));
}

QString SingleInstance::keyFor(uint userId, const QString& runtimeFolder, const QString& waylandDisplay,
                               const QString& xDisplay)
{
    QString display = waylandDisplay;
    if (display.isEmpty()) {
        // ":0" and ":0.1" are screens of one X server, one session.
        display = xDisplay;
        const qsizetype colon = display.lastIndexOf(u':');
        const qsizetype dot = display.lastIndexOf(u'.');
        if (colon >= 0 && dot > colon)
            display.truncate(dot);
    }
    const QString session =
        QString::fromLatin1(QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    // A runtime folder that is not absolute is not one (the system ignores such a value too).
    if (QDir::isAbsolutePath(runtimeFolder))
        return QDir(runtimeFolder).filePath(QStringLiteral("quillmarrow-%1").arg(session));
    // Never a name of its own in the shared temporary folder: anyone may
    // take such a name first and listen there.
    return QDir(temporaryFolder(userId)).filePath(QStringLiteral("quillmarrow-%1").arg(session));
}

QString SingleInstance::temporaryFolder(uint userId)
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("quillmarrow-%1").arg(userId));
}

bool SingleInstance::isPrivateFolder(const QString& folder, bool make)
{
    const QByteArray path = QFile::encodeName(folder);
    if (make && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // Whoever made it, it must be the user's alone now: a folder, not a
    // link to one, owned by the user, that nobody else may enter or write.
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

bool SingleInstance::folderIsPrivate() const
{
    const QString folder = QFileInfo(key_).path();
    return isPrivateFolder(folder, folder == temporaryFolder(::getuid()));
}

QByteArray SingleInstance::encode(const QByteArrayList& paths)
{
    QByteArray message = kGreeting;
    for (const QByteArray& path : paths)
        message += QByteArray::fromStdString(kit::Url::fileURL(path.toStdString()).path) + '\0';
    return message + '\0';
}

bool SingleInstance::isWhole(const QByteArray& message)
{
    // No path is empty: two NUL bytes in a row, or one straight after the
    // greeting, can only be the end.
    return message.startsWith(kGreeting) && message.endsWith('\0') &&
           (message.size() == kGreeting.size() + 1 || message.endsWith(QByteArray(2, '\0')));
}

QByteArrayList SingleInstance::decode(const QByteArray& message)
{
    if (!message.startsWith(kGreeting))
        return {};
    QByteArrayList paths;
    const QList<QByteArray> parts = message.mid(kGreeting.size()).split('\0');
    for (const QByteArray& part : parts) {
        if (!part.isEmpty())
            paths << part;
    }
    return paths;
}

bool SingleInstance::handOff(const QByteArrayList& paths, int answerMs)
{
    if (!folderIsPrivate())
        return false; // whoever listens there need not be this user
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(encode(paths));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kConnectTimeoutMs))
            return false;
    }
    // The paths count as taken only when the instance says so: one that
    // has all the hand-offs it takes at once closes the connection unread.
    const QDeadlineTimer deadline(answerMs);
    QByteArray reply;
    while (reply.size() < kAnswer.size()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        reply += socket.read(kAnswer.size() - reply.size());
    }
    if (reply != kAnswer)
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (server_)
        return true;
    if (!folderIsPrivate())
        return false;
    {
        // Listening would replace the socket of an instance that is running.
        QLocalSocket probe;
        probe.connectToServer(key_);
        if (probe.waitForConnected(kConnectTimeoutMs))
            return false;
    }
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(key_)) {
        // A socket left behind by an instance that crashed: nobody answers it.
        QLocalServer::removeServer(key_);
        if (!server->listen(key_)) {
            delete server;
            return false;
        }
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // A launch hands off a few paths in a moment: connections beyond a
        // handful, messages beyond a bound and connections that linger are
        // dropped, so nothing that connects can hold the instance's memory
        // or its hand-offs.
        if (connections_ >= limits_.connections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++connections_;
        auto buffer = std::make_shared<QByteArray>();
        auto done = std::make_shared<bool>(false);
        auto close = [this, socket, done] {
            if (*done)
                return;
            *done = true;
            --connections_;
            socket->abort();
            socket->deleteLater();
        };
        auto readAll = [this, socket, buffer, close] {
            *buffer += socket->read(limits_.messageBytes + 1 - buffer->size());
            if (buffer->size() > limits_.messageBytes)
                close();
        };
        // A whole message is taken and answered; the connection then ends
        // once the answer is out.
        auto take = [this, socket, buffer, done, readAll] {
            if (*done)
                return;
            readAll();
            if (*done || !isWhole(*buffer))
                return;
            *done = true;
            --connections_;
            emit pathsReceived(decode(*buffer));
            socket->write(kAnswer);
            socket->disconnectFromServer();
            if (socket->state() == QLocalSocket::UnconnectedState)
                socket->deleteLater();
        };
        socket->setReadBufferSize(limits_.messageBytes + 1);
        connect(socket, &QLocalSocket::readyRead, this, take);
        connect(socket, &QLocalSocket::disconnected, this, [socket, close] {
            close(); // a message cut short is dropped
            socket->deleteLater();
        });
        QTimer::singleShot(limits_.connectionMs, socket, close);
        take();
        if (socket->state() == QLocalSocket::UnconnectedState)
            close();
    }
}

} // namespace qm
