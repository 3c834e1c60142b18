#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace qm {

// Keeps the application to one running instance per user. The first
// instance listens on a local socket; a later launch hands its paths (made
// absolute against its own working folder) to that instance and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Hands the paths to a running instance. True when one took them; the
    // caller then exits. An empty list asks the running instance to come to
    // the front.
    bool handOff(const QStringList& paths);

    // Starts listening for later launches. False when that failed (the
    // application then runs without the hand-off).
    bool listen();

    const QString& key() const { return key_; }
    static QString defaultKey();

    // The wire format of a hand-off: a greeting line, then the absolute
    // paths in UTF-8, each ended by a NUL byte (the one byte no path holds).
    static QByteArray encode(const QStringList& paths);
    static QStringList decode(const QByteArray& message);

signals:
    // A later launch asked for these paths to be opened (possibly none).
    void pathsReceived(const QStringList& paths);

private:
    void acceptConnections();

    QString key_;
    QLocalServer* server_ = nullptr;
};

} // namespace qm
