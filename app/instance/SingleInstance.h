#pragma once

#include <QByteArrayList>
#include <QObject>
#include <QString>

class QLocalServer;

namespace qm {

// Keeps the application to one running instance per user and graphical
// session. The first instance listens on a local socket; a later launch
// hands its paths (made absolute against its own working folder) to that
// instance and, once the instance has answered that it took them, ends. The
// socket lives in a folder of the user's alone, so no other user can stand
// in for the running instance and take the paths.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // What the listening instance accepts from later launches.
    struct Limits {
        int connections = 8;                   // open at once; more are closed at once
        qint64 messageBytes = 4 * 1024 * 1024; // a longer hand-off is dropped
        int connectionMs = 10000;              // a hand-off takes at most this long
    };

    // `key` is the socket's path, or a name for a socket in the user's own
    // folder of the system's temporary folder.
    explicit SingleInstance(QString key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands the paths to a running instance. True when one answered that it
    // took them; the caller then exits. An empty list asks the running
    // instance to come to the front. False when nobody listens, the instance
    // closed the connection or did not answer within `answerMs` (it is busy
    // with as many hand-offs as it takes at once, or is not itself): the
    // paths were not taken. False, handing nothing, when the socket's folder
    // is not the user's alone.
    bool handOff(const QByteArrayList& paths, int answerMs = 5000);

    // Starts listening for later launches. False when that failed, or the
    // socket's folder is not the user's alone (the application then runs
    // without the hand-off).
    bool listen();

    void setLimits(const Limits& limits) { limits_ = limits; }

    // The socket's path.
    const QString& key() const { return key_; }

    // The socket of this user's instance in this session, from the
    // environment (QUILLMARROW_INSTANCE_KEY, when set, names it outright).
    static QString defaultKey();
    // The socket for a user, a runtime folder (may be empty) and a display:
    // in the runtime folder when there is one, which is the user's own;
    // otherwise in the user's own folder of the system's temporary folder,
    // "quillmarrow-<user id>". The display (a Wayland display or else an X
    // display, whose screen number does not count) sets apart the sessions
    // that share one folder.
    static QString keyFor(uint userId, const QString& runtimeFolder, const QString& waylandDisplay,
                          const QString& xDisplay);
    // The user's own folder in the system's temporary folder.
    static QString temporaryFolder(uint userId);

    // Whether only this user can reach the folder: a folder (not a link)
    // that the user owns and nobody else may enter. A missing folder is made
    // so first, when `make` (its parent must exist).
    static bool isPrivateFolder(const QString& folder, bool make);

    // The wire format of a hand-off: a greeting line, then the absolute
    // paths as the bytes the system gave, each ended by a NUL byte (the one
    // byte no path holds), then one more NUL byte, which ends the message.
    // The instance answers a whole message it took with a line of its own.
    static QByteArray encode(const QByteArrayList& paths);
    static QByteArrayList decode(const QByteArray& message);
    // Whether a message has come to its end.
    static bool isWhole(const QByteArray& message);

signals:
    // A later launch asked for these paths to be opened (possibly none).
    void pathsReceived(const QByteArrayList& paths);

private:
    void acceptConnections();
    bool folderIsPrivate() const;

    QString key_;
    Limits limits_;
    QLocalServer* server_ = nullptr;
    int connections_ = 0;
};

} // namespace qm
