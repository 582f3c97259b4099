// One window per user: how a second start finds the first.
#include <unistd.h>

#include <QLocalSocket>

#include "ui/qt/form1_window.h"

namespace tovrik {

QString Form1Window::InstanceName() { return QString("tovrik-stats-%1").arg(getuid()); }

bool Form1Window::AnotherInstanceRunning() {
    // A socket in the abstract namespace: it needs no folder, and it is gone
    // with the process that held it, however that ended.
    QLocalSocket first;
    first.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    first.connectToServer(instanceName_);
    if (first.waitForConnected(1000)) {
        first.write("raise\n");  // the first window comes to the front
        first.waitForBytesWritten(1000);
        return true;
    }
    instance_ = std::make_unique<QLocalServer>();
    instance_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(instance_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* second = instance_->nextPendingConnection()) {
            connect(second, &QLocalSocket::disconnected, second, &QObject::deleteLater);
            show();
            raise();
            activateWindow();
        }
    });
    instance_->listen(instanceName_);  // a name that cannot be taken lets the window start all the same
    return false;
}

}  // namespace tovrik
