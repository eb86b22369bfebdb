#include "platform/joystickex.h"

#include <QTimer>

using namespace tavrix;

void TJoystickex::Timer::start(int milliseconds) {
    timer_->start(milliseconds);
}

void TJoystickex::Timer::stop() {
    timer_->stop();
}

bool TJoystickex::Timer::isActive() const {
    return timer_->isActive();
}

TJoystickex::TJoystickex(std::shared_ptr<JoystickSource> source, QObject* parent)
    : QObject(parent), qtTimer_(new QTimer(this)), timer_(qtTimer_), poller_(std::move(source), timer_) {
    qtTimer_->setTimerType(Qt::PreciseTimer);
    connect(qtTimer_, &QTimer::timeout, this, [this] { poller_.poll(); });

    poller_.onMove = [this](int x, int y, uint16_t buttons, bool calibrating) {
        if (JoyMove) JoyMove(this, x, y, buttons, calibrating);
    };
    poller_.onZMove = [this](int z, uint16_t buttons, bool calibrating) {
        if (JoyZMove) JoyZMove(this, z, buttons, calibrating);
    };
    poller_.onButtonChange = [this](int button, bool pressed, int x, int y) {
        const TButtonNotifyEvent* handlers[] = {&OnButton1_Change, &OnButton2_Change, &OnButton3_Change,
                                                &OnButton4_Change};
        if (*handlers[button - 1]) (*handlers[button - 1])(this, pressed, x, y);
    };
    poller_.onRemoved = [this] {
        if (JoyRemoved) JoyRemoved(this);
    };
}

TJoystickex::~TJoystickex() {
    StopCapture();
}

bool TJoystickex::StartCapture() {
    return poller_.startCapture();
}

void TJoystickex::StopCapture() {
    poller_.stopCapture();
}

void TJoystickex::pauseReports() {
    poller_.pauseReports();
}

void TJoystickex::resumeReports() {
    poller_.resumeReports();
}

void TJoystickex::setGamePort(TGamePort port) {
    gamePort_ = port;
    poller_.setPort(port == TGamePort::Gameport1 ? 0 : 1);
}

void TJoystickex::setPolling(bool polling) {
    poller_.setPolling(polling);
}

void TJoystickex::setInterval(int milliseconds) {
    poller_.setInterval(milliseconds);
}

void TJoystickex::setEventThreshold(double percent) {
    poller_.setEventThreshold(percent);
}

void TJoystickex::report(const JoystickReading& reading) {
    poller_.report(reading);
}
