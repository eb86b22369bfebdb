#pragma once
// The joystick component without a window system: one game port of a joystick source, read at
// every tick of the owner's timer, reported as scaled positions and button changes. The Qt and
// the Win32 front ends each wrap it with their own timer.
#include "core/joystick_scaling.h"
#include "core/joystick_source.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace tavrix {

// The periodic timer that drives a poller; each front end supplies its own.
class PollTimer {
public:
    virtual ~PollTimer() = default;
    // Starts the timer, or restarts it with a new period when it runs.
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class JoystickPoller {
public:
    // The owner calls poll() at every tick of `timer`, which outlives the poller.
    JoystickPoller(std::shared_ptr<JoystickSource> source, PollTimer& timer);
    // Gives the port back; the owner stops its timer.
    ~JoystickPoller();
    JoystickPoller(const JoystickPoller&) = delete;
    JoystickPoller& operator=(const JoystickPoller&) = delete;

    // Takes the port and starts the reports. False when the port has no device or is taken
    // already (by this poller too): the active flag is then cleared, but reports that an
    // earlier capture started keep coming.
    bool startCapture();
    // Stops the reports and gives the port back.
    void stopCapture();
    // True while the port is held and reported, from a successful startCapture until
    // stopCapture or until its device goes away.
    bool capturing() const { return held_; }
    // Holds the reports back without giving the port up, and lets them come again if they
    // were coming before.
    void pauseReports();
    void resumeReports();

    // Port 0 or 1. Reads the new port's capabilities first, then moves an active capture.
    int port() const { return port_; }
    void setPort(int port);
    bool polling() const { return polling_; }
    void setPolling(bool polling);
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    double eventThreshold() const { return eventThreshold_; }
    // Limited to 0 .. 10 percent of the X range.
    void setEventThreshold(double percent);
    bool scaled() const { return scaled_; }
    void setScaled(bool scaled) { scaled_ = scaled; }
    JoystickScaling& scaling() { return scaling_; }
    const JoystickScaling& scaling() const { return scaling_; }
    int numButtons() const { return numButtons_; }
    bool active() const { return active_; }
    // The movement in raw units that counts as a change when not polling.
    int thresholdUnits() const { return thresholdUnits_; }

    // One tick: reads the port and reports it; a port whose device has gone stops the
    // capture and calls onRemoved.
    void poll();
    // Handles one reading as a tick does: with polling every reading is reported, without
    // only one that moved beyond the threshold or changed the buttons.
    void report(const JoystickReading& reading);

    // Handlers; an empty one is not called. What a move handler throws is dropped, so a
    // failing handler does not stop the reports.
    std::function<void(int xPos, int yPos, uint16_t buttonStatus, bool isCalibrating)> onMove;
    std::function<void(int zPos, uint16_t buttonStatus, bool isCalibrating)> onZMove;
    // Button 1 .. 4 went down (pressed) or up, with the stick's position.
    std::function<void(int button, bool pressed, int xPos, int yPos)> onButtonChange;
    std::function<void()> onRemoved;

private:
    void readCapabilities(int port);

    std::shared_ptr<JoystickSource> source_;
    PollTimer& timer_;
    int port_ = 0;
    bool polling_ = false;
    int interval_ = 50;
    double eventThreshold_ = 0.1;
    int thresholdUnits_ = 0;
    bool scaled_ = true;
    int numButtons_ = 2;
    JoystickCapabilities caps_;
    JoystickScaling scaling_;
    bool active_ = false;
    bool held_ = false;           // the port is taken from the source and the timer runs
    bool paused_ = false;         // reports were coming when they were held back
    bool isCalibrating_ = false;  // calibration cannot be started in this program
    std::optional<JoystickReading> last_;
};

}  // namespace tavrix
