#include "platform/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace tavrix::platform {

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}
}  // namespace

void quitOnTerminationSignals() {
    if (signalPipe[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    // The handler only writes a byte; the event loop reads it and quits on the GUI thread.
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(), [] {
        char byte;
        (void)!::read(signalPipe[0], &byte, 1);
        // Ending every running event loop, again and again, also ends a message box that is
        // waiting for the user and a loop that starts only afterwards (the main loop, when the
        // signal comes during the start-up sequence).
        QCoreApplication::exit(0);
        auto* repeat = new QTimer(QCoreApplication::instance());
        QObject::connect(repeat, &QTimer::timeout, [] { QCoreApplication::exit(0); });
        repeat->start(10);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

}  // namespace tavrix::platform
