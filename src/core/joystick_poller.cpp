#include "core/joystick_poller.h"

#include <algorithm>
#include <cstdlib>

namespace tavrix {

JoystickPoller::JoystickPoller(std::shared_ptr<JoystickSource> source, PollTimer& timer)
    : source_(std::move(source)), timer_(timer) {}

JoystickPoller::~JoystickPoller() {
    if (held_) source_->release(port_);
}

void JoystickPoller::readCapabilities(int port) {
    caps_ = source_->capabilities(port);
    scaling_.xMin = caps_.xMin;
    scaling_.xMax = caps_.xMax;
    scaling_.yMin = caps_.yMin;
    scaling_.yMax = caps_.yMax;
    scaling_.minZ = caps_.zMin;
    scaling_.maxZ = caps_.zMax;
    numButtons_ = caps_.numButtons;
}

bool JoystickPoller::startCapture() {
    if (!source_->acquire(port_)) {
        active_ = false;
        return false;
    }
    held_ = true;
    // The device may have been attached after the port was chosen: take its ranges now.
    readCapabilities(port_);
    thresholdUnits_ = tavrix::thresholdUnits(caps_.xMax, eventThreshold_);
    last_.reset();
    timer_.start(interval_);
    active_ = true;
    scaling_.recalcScaling();
    return true;
}

void JoystickPoller::stopCapture() {
    timer_.stop();
    paused_ = false;
    if (held_) source_->release(port_);
    held_ = false;
    active_ = false;
}

void JoystickPoller::pauseReports() {
    paused_ = paused_ || timer_.isActive();
    timer_.stop();
}

void JoystickPoller::resumeReports() {
    if (paused_) timer_.start(interval_);
    paused_ = false;
}

void JoystickPoller::setPort(int port) {
    // The ranges are those of the device on the new port.
    readCapabilities(port);
    if (active_) {
        stopCapture();
        port_ = port;
        startCapture();
    } else {
        port_ = port;
    }
}

void JoystickPoller::setPolling(bool polling) {
    polling_ = polling;
    if (active_) {
        stopCapture();
        startCapture();
    }
}

void JoystickPoller::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (active_) timer_.start(interval_);
}

void JoystickPoller::setEventThreshold(double percent) {
    eventThreshold_ = clampEventThreshold(percent);
    thresholdUnits_ = tavrix::thresholdUnits(caps_.xMax - caps_.xMin, eventThreshold_);
}

void JoystickPoller::poll() {
    if (auto reading = source_->read(port_)) {
        report(*reading);
        return;
    }
    // Only a held port is polled, so no reading means the device went away (unplugged):
    // stop, give the port back and tell the owner.
    stopCapture();
    if (onRemoved) onRemoved();
}

void JoystickPoller::report(const JoystickReading& reading) {
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
    if (onMove) {
        try {
            onMove(x, y, reading.buttons, isCalibrating_);
        } catch (...) {
            // A failing handler must not stop the reports.
        }
    }
    if (reading.z && (first || !previous->z || *previous->z != *reading.z)) {
        // The Z range grows to take in every position seen.
        scaling_.minZ = std::min(scaling_.minZ, *reading.z);
        scaling_.maxZ = std::max(scaling_.maxZ, *reading.z);
        if (onZMove) onZMove(scaled_ ? scaling_.scaleZ(*reading.z) : *reading.z, reading.buttons, isCalibrating_);
    }
    const uint16_t before = first ? 0 : previous->buttons;
    for (int n = 0; n < 4; ++n) {
        const uint16_t bit = uint16_t(1u << n);
        if (((before ^ reading.buttons) & bit) && onButtonChange) onButtonChange(n + 1, (reading.buttons & bit) != 0, x, y);
    }
}

}  // namespace tavrix
