#pragma once
// The joystick component of the main window: it polls one game port of a joystick source every
// Interval milliseconds on the GUI thread and reports the stick, scaled to a few steps either
// side of the centre, and the buttons to its event handlers.
#include "core/joystick_scaling.h"
#include "platform/joystick_source.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class QTimer;

enum class TGamePort { Gameport1, Gameport2 };

class TJoystickex : public QObject {
    Q_OBJECT
public:
    using TJoyMoveEvent = std::function<void(TJoystickex* sender, int xPos, int yPos, uint16_t buttonStatus,
                                             bool isCalibrating)>;
    using TJoyZMoveEvent = std::function<void(TJoystickex* sender, int zPos, uint16_t buttonStatus,
                                              bool isCalibrating)>;
    using TButtonNotifyEvent = std::function<void(TJoystickex* sender, bool pressed, int xPos, int yPos)>;
    using TJoyRemovedEvent = std::function<void(TJoystickex* sender)>;

    explicit TJoystickex(std::shared_ptr<tavrix::JoystickSource> source, QObject* parent = nullptr);
    ~TJoystickex() override;

    // Takes the port and starts the reports. False when the port has no device or is taken
    // already (by this component too): the active flag is then cleared, but reports that an
    // earlier capture started keep coming.
    bool StartCapture();
    // Stops the reports and gives the port back.
    void StopCapture();
    // True while the port is held and reported, from a successful StartCapture until
    // StopCapture or until its device goes away (unlike the active flag, a failed second
    // StartCapture leaves it set).
    bool capturing() const { return held_; }
    // Holds the reports back without giving the port up (while the emulator has the stick),
    // and lets them come again if they were coming before.
    void pauseReports();
    void resumeReports();

    TGamePort GamePort() const { return gamePort_; }
    void setGamePort(TGamePort port);
    bool Polling() const { return polling_; }
    void setPolling(bool polling);
    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    double EventThreshold() const { return eventThreshold_; }
    void setEventThreshold(double percent);
    bool Scaled() const { return scaled_; }
    void setScaled(bool scaled) { scaled_ = scaled; }
    int16_t XScaledBy() const { return scaling_.xScaledBy(); }
    int16_t YScaledBy() const { return scaling_.yScaledBy(); }
    int16_t ZScaledBy() const { return scaling_.zScaledBy(); }
    void setXScaledBy(int16_t value) { scaling_.setXScaledBy(value); }
    void setYScaledBy(int16_t value) { scaling_.setYScaledBy(value); }
    void setZScaledBy(int16_t value) { scaling_.setZScaledBy(value); }
    bool CalAutoSave() const { return calAutoSave_; }
    void setCalAutoSave(bool value) { calAutoSave_ = value; }
    bool CalAutoLoad() const { return calAutoLoad_; }
    void setCalAutoLoad(bool value) { calAutoLoad_ = value; }
    int MaxZ() const { return scaling_.maxZ; }
    int MinZ() const { return scaling_.minZ; }
    int NumButtons() const { return numButtons_; }

    bool active() const { return active_; }
    // The movement in raw units that counts as a change when not polling.
    int thresholdUnits() const { return thresholdUnits_; }
    const tavrix::JoystickScaling& scaling() const { return scaling_; }

    // Event handlers; an empty one is not called.
    TJoyMoveEvent JoyMove;
    TJoyZMoveEvent JoyZMove;
    TButtonNotifyEvent OnButton1_Change, OnButton2_Change, OnButton3_Change, OnButton4_Change;
    // The captured device went away: the reports have stopped and the port is free for the
    // next StartCapture.
    TJoyRemovedEvent JoyRemoved;

    // Handles one report of the port as the timer does.
    void report(const tavrix::JoystickReading& reading);

private:
    int portIndex() const { return gamePort_ == TGamePort::Gameport1 ? 0 : 1; }
    void readCapabilities(int port);
    void poll();

    std::shared_ptr<tavrix::JoystickSource> source_;
    QTimer* timer_;
    TGamePort gamePort_ = TGamePort::Gameport1;
    bool polling_ = false;
    int interval_ = 50;
    double eventThreshold_ = 0.1;
    int thresholdUnits_ = 0;
    bool scaled_ = true;
    bool calAutoSave_ = false;
    bool calAutoLoad_ = false;
    int numButtons_ = 2;
    tavrix::JoystickCapabilities caps_;
    tavrix::JoystickScaling scaling_;
    bool active_ = false;
    bool held_ = false;  // the port is taken from the source and the timer runs
    bool paused_ = false;  // reports were coming when they were held back
    bool isCalibrating_ = false;  // calibration cannot be started in this program
    std::optional<tavrix::JoystickReading> last_;
};
