#include "platform/qt/Qtsingleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <unistd.h>

namespace {
constexpr int kWaitMs = 2000;
}

TQtSingleInstance::TQtSingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(name.isEmpty() ? DefaultName() : std::move(name))
{
}

TQtSingleInstance::~TQtSingleInstance() = default;

QString TQtSingleInstance::DefaultName()
{
    return QStringLiteral("arrowplan-%1").arg(getuid());
}

bool TQtSingleInstance::Claim()
{
    {
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(kWaitMs)) return false;
    }
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Nobody answered: the socket is a leftover of a run that crashed.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return true;   // run alone rather than not at all
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &TQtSingleInstance::Accept);
    return true;
}

bool TQtSingleInstance::SendToRunning(const std::vector<std::string>& files)
{
    QLocalSocket s;
    s.connectToServer(name_);
    if (!s.waitForConnected(kWaitMs)) return false;
    const std::string m = EncodeStartMessage(files);
    s.write(m.data(), qint64(m.size()));
    if (!s.waitForBytesWritten(kWaitMs)) return false;
    s.disconnectFromServer();
    return true;
}

void TQtSingleInstance::SetHandler(std::function<void(const std::vector<std::string>&)> handler)
{
    handler_ = std::move(handler);
}

void TQtSingleInstance::Accept()
{
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        QPointer<QLocalSocket> socket(s);
        connect(s, &QLocalSocket::readyRead, this, [socket, buffer] {
            if (socket) buffer->append(socket->readAll());
        });
        connect(s, &QLocalSocket::disconnected, this, [this, socket, buffer] {
            if (socket) buffer->append(socket->readAll());
            std::vector<std::string> files;
            if (DecodeStartMessage(buffer->toStdString(), files) && handler_) handler_(files);
            if (socket) socket->deleteLater();
        });
    }
}
