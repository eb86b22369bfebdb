#include "platform/joystickex.h"

#include <QTimer>

#include <algorithm>
#include <cstdlib>

using namespace tavrix;

TJoystickex::TJoystickex(std::shared_ptr<JoystickSource> source, QObject* parent)
    : QObject(parent), source_(std::move(source)), timer_(new QTimer(this)) {
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &TJoystickex::poll);
}

TJoystickex::~TJoystickex() {
    StopCapture();
}

void TJoystickex::readCapabilities(int port) {
    caps_ = source_->capabilities(port);
    scaling_.xMin = caps_.xMin;
    scaling_.xMax = caps_.xMax;
    scaling_.yMin = caps_.yMin;
    scaling_.yMax = caps_.yMax;
    scaling_.minZ = caps_.zMin;
    scaling_.maxZ = caps_.zMax;
    numButtons_ = caps_.numButtons;
}

bool TJoystickex::StartCapture() {
    if (!source_->acquire(portIndex())) {
        active_ = false;
        return false;
    }
    held_ = true;
    // The device may have been attached after the port was chosen: take its ranges now.
    readCapabilities(portIndex());
    thresholdUnits_ = tavrix::thresholdUnits(caps_.xMax, eventThreshold_);
    last_.reset();
    timer_->start(interval_);
    active_ = true;
    scaling_.recalcScaling();
    return true;
}

void TJoystickex::StopCapture() {
    timer_->stop();
    paused_ = false;
    if (held_) source_->release(portIndex());
    held_ = false;
    active_ = false;
}

void TJoystickex::pauseReports() {
    paused_ = paused_ || timer_->isActive();
    timer_->stop();
}

void TJoystickex::resumeReports() {
    if (paused_) timer_->start(interval_);
    paused_ = false;
}

void TJoystickex::setGamePort(TGamePort port) {
    // The ranges are those of the device on the new port.
    readCapabilities(port == TGamePort::Gameport1 ? 0 : 1);
    if (active_) {
        StopCapture();
        gamePort_ = port;
        StartCapture();
    } else {
        gamePort_ = port;
    }
}

void TJoystickex::setPolling(bool polling) {
    polling_ = polling;
    if (active_) {
        StopCapture();
        StartCapture();
    }
}

void TJoystickex::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (active_) timer_->start(interval_);
}

void TJoystickex::setEventThreshold(double percent) {
    eventThreshold_ = clampEventThreshold(percent);
    thresholdUnits_ = tavrix::thresholdUnits(caps_.xMax - caps_.xMin, eventThreshold_);
}

void TJoystickex::poll() {
    if (auto reading = source_->read(portIndex())) {
        report(*reading);
        return;
    }
    // Only a held port is polled, so no reading means the device went away (unplugged):
    // stop, give the port back and tell the owner.
    StopCapture();
    if (JoyRemoved) JoyRemoved(this);
}

void TJoystickex::report(const JoystickReading& reading) {
    const std::optional<JoystickReading> previous = last_;
    last_ = reading;
    const bool first = !previous.has_value();
    const bool moved = first || std::abs(reading.x - previous->x) > thresholdUnits_ ||
                       std::abs(reading.y - previous->y) > thresholdUnits_ ||
                       reading.buttons != previous->buttons;
    // Without polling only a change is reported.
    if (!polling_ && !moved) return;

    const int x = scaled_ ? scaling_.scaleX(reading.x) : reading.x;
    const int y = scaled_ ? scaling_.scaleY(reading.y) : reading.y;
    if (JoyMove) {
        try {
            JoyMove(this, x, y, reading.buttons, isCalibrating_);
        } catch (...) {
            // A failing handler must not stop the reports.
        }
    }
    if (reading.z && (first || !previous->z || *previous->z != *reading.z)) {
        // The Z range grows to take in every position seen.
        scaling_.minZ = std::min(scaling_.minZ, *reading.z);
        scaling_.maxZ = std::max(scaling_.maxZ, *reading.z);
        if (JoyZMove)
            JoyZMove(this, scaled_ ? scaling_.scaleZ(*reading.z) : *reading.z, reading.buttons, isCalibrating_);
    }
    const uint16_t before = first ? 0 : previous->buttons;
    const TButtonNotifyEvent* buttonHandlers[] = {&OnButton1_Change, &OnButton2_Change, &OnButton3_Change,
                                                  &OnButton4_Change};
    for (int n = 0; n < 4; ++n) {
        const uint16_t bit = uint16_t(1u << n);
        if (((before ^ reading.buttons) & bit) && *buttonHandlers[n])
            (*buttonHandlers[n])(this, (reading.buttons & bit) != 0, x, y);
    }
}
