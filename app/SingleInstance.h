#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QString>

class QLocalServer;

namespace qm {

// Keeps the application to one running instance per user and graphical
// session. The first instance listens on a local socket; a later launch
// hands its paths (made absolute against its own working folder) to that
// instance and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands the paths to a running instance. True when one took them; the
    // caller then exits. An empty list asks the running instance to come to
    // the front.
    bool handOff(const QByteArrayList& paths);

    // Starts listening for later launches. False when that failed (the
    // application then runs without the hand-off).
    bool listen();

    const QString& key() const { return key_; }

    // The socket of this user's instance in this session, from the
    // environment (QUILLMARROW_INSTANCE_KEY, when set, names it outright).
    static QString defaultKey();
    // The socket for a user, a runtime folder (may be empty) and a display:
    // in the runtime folder when there is one, which is the user's own;
    // otherwise a name holding the user id. The display (a Wayland display
    // or else an X display, whose screen number does not count) sets apart
    // the sessions that share one runtime folder.
    static QString keyFor(uint userId, const QString& runtimeFolder, const QString& waylandDisplay, const QString& xDisplay);

    // The wire format of a hand-off: a greeting line, then the absolute
    // paths as the bytes the system gave, each ended by a NUL byte (the one
    // byte no path holds).
    static QByteArray encode(const QByteArrayList& paths);
    static QByteArrayList decode(const QByteArray& message);

signals:
    // A later launch asked for these paths to be opened (possibly none).
    void pathsReceived(const QByteArrayList& paths);

private:
    void acceptConnections();

    QString key_;
    QLocalServer* server_ = nullptr;
};

} // namespace qm
