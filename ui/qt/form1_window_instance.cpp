// One window per user and display: how a second start finds the first, and
// why nobody else can stand in for it.
#include <sys/socket.h>
#include <unistd.h>

#include <QEventLoop>
#include <QGuiApplication>
#include <QLocalSocket>
#include <cstdio>

#include "ui/qt/form1_window.h"

namespace tovrik {
namespace {

constexpr int kAnswerMs = 1000;  // a first window that has not answered in a second is not waited for

// The user at the other end of `socket`, as the kernel knows it; -1 when it cannot tell.
long PeerUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return -1;
    return static_cast<long>(peer.uid);
}

bool SameUser(const QLocalSocket& socket) { return PeerUser(socket) == static_cast<long>(getuid()); }

// The display the window shows on: Wayland's socket, else X's display
// without its screen number, else the platform's name.
QString DisplayName() {
    if (QGuiApplication::platformName() == "wayland") {
        const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
        return "wayland:" + (wayland.isEmpty() ? QString("wayland-0") : wayland);
    }
    QString x = qEnvironmentVariable("DISPLAY");
    const qsizetype screen = x.lastIndexOf('.');
    if (screen > x.lastIndexOf(':') && x.lastIndexOf(':') >= 0) x.truncate(screen);
    return x.isEmpty() ? QGuiApplication::platformName() : x;
}

void Say(const char* text) { std::fprintf(stderr, "tovrik-stats: %s\n", text); }

// True when the first window answered "raised" within the wait.
bool Raised(QLocalSocket& first) {
    QEventLoop wait;  // the first window may be this process's own, as in a test
    QTimer::singleShot(kAnswerMs, &wait, &QEventLoop::quit);
    QObject::connect(&first, &QLocalSocket::readyRead, &wait, [&] {
        if (first.canReadLine()) wait.quit();
    });
    QObject::connect(&first, &QLocalSocket::disconnected, &wait, &QEventLoop::quit);
    if (!first.canReadLine()) wait.exec();
    return first.canReadLine() && first.readLine() == "raised\n";
}

}  // namespace

QString Form1Window::InstanceName() { return QString("tovrik-stats-%1-%2").arg(getuid()).arg(DisplayName()); }

bool Form1Window::AnotherInstanceRunning() {
    // A socket in the abstract namespace: it needs no folder, and it is gone
    // with the process that held it, however that ended. Anyone may bind a
    // name there, so the holder's user is asked of the kernel.
    QLocalSocket first;
    first.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    first.connectToServer(instanceName_);
    if (first.waitForConnected(kAnswerMs)) {
        if (!SameUser(first)) {
            Say("another user holds the name this display's window is found by; this window opens without it.");
            return false;
        }
        first.write("raise\n");
        first.flush();
        if (Raised(first)) {
            Say("the window already open on this display was brought to the front.");
            return true;
        }
        Say("the window open on this display does not answer; this one opens beside it.");
        return false;
    }
    listenForSecondStarts();
    return false;
}

void Form1Window::listenForSecondStarts() {
    instance_ = std::make_unique<QLocalServer>();
    instance_->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(instance_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* second = instance_->nextPendingConnection()) {
            connect(second, &QLocalSocket::disconnected, second, &QObject::deleteLater);
            if (!SameUser(*second)) {  // another user's program is not answered, nor obeyed
                second->abort();
                second->deleteLater();
                continue;
            }
            setWindowState(windowState() & ~Qt::WindowMinimized);
            show();
            raise();
            activateWindow();
            second->write("raised\n");
            second->disconnectFromServer();
        }
    });
    // A name that cannot be taken lets the window open all the same.
    if (!instance_->listen(instanceName_))
        Say("the name this display's window is found by is held and does not answer; this window opens without it.");
}

}  // namespace tovrik
