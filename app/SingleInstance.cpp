#include "app/SingleInstance.h"

#include "kit/base/Url.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace qm {

namespace {
constexpr int kConnectTimeoutMs = 2000;
constexpr qint64 kLargestMessage = 16 * 1024 * 1024;
const QByteArray kGreeting = "quillmarrow-open\n";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent)
    , key_(std::move(key))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultKey()
{
    if (const QString own = qEnvironmentVariable("QUILLMARROW_INSTANCE_KEY"); !own.isEmpty())
        return own;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return keyFor(::getuid(), QDir(runtime).exists() ? runtime : QString(), qEnvironmentVariable("WAYLAND_DISPLAY"),
                  qEnvironmentVariable("DISPLAY"));
}

QString SingleInstance::keyFor(uint userId, const QString& runtimeFolder, const QString& waylandDisplay, const QString& xDisplay)
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
    const QString session = QString::fromLatin1(QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    // A runtime folder that is not absolute is not one (the system ignores such a value too).
    if (QDir::isAbsolutePath(runtimeFolder))
        return QDir(runtimeFolder).filePath(QStringLiteral("quillmarrow-%1").arg(session));
    return QStringLiteral("quillmarrow-%1-%2").arg(userId).arg(session);
}

QByteArray SingleInstance::encode(const QByteArrayList& paths)
{
    QByteArray message = kGreeting;
    for (const QByteArray& path : paths)
        message += QByteArray::fromStdString(kit::Url::fileURL(path.toStdString()).path) + '\0';
    return message;
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

bool SingleInstance::handOff(const QByteArrayList& paths)
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(encode(paths));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kConnectTimeoutMs))
            return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (server_)
        return true;
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
        auto buffer = std::make_shared<QByteArray>();
        auto done = std::make_shared<bool>(false);
        auto readAll = [socket, buffer] {
            *buffer += socket->readAll();
            if (buffer->size() > kLargestMessage)
                socket->abort();
        };
        auto finish = [this, socket, buffer, done, readAll] {
            if (*done)
                return;
            *done = true;
            readAll();
            socket->deleteLater();
            if (buffer->startsWith(kGreeting) && buffer->size() <= kLargestMessage)
                emit pathsReceived(decode(*buffer));
        };
        connect(socket, &QLocalSocket::readyRead, this, readAll);
        connect(socket, &QLocalSocket::disconnected, this, finish);
        if (socket->state() == QLocalSocket::UnconnectedState)
            finish();
    }
}

} // namespace qm
