#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "platform/Singleinstance.h"

class QLocalServer;

// One instance per user through a local socket named after the user: the
// first start listens on it; a later one connects, sends its files and ends.
// A socket left behind by a crashed run is taken over.
class TQtSingleInstance : public QObject, public ISingleInstance {
    Q_OBJECT
public:
    explicit TQtSingleInstance(QString name = QString(), QObject* parent = nullptr);
    ~TQtSingleInstance() override;

    bool Claim() override;
    bool SendToRunning(const std::vector<std::string>& files) override;
    void SetHandler(std::function<void(const std::vector<std::string>&)> handler) override;

    // The socket name for the user.
    static QString DefaultName();

private:
    void Accept();

    QString name_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void(const std::vector<std::string>&)> handler_;
};
