#pragma once
// The joystick component of the main window: it polls one game port of a joystick source every
// Interval milliseconds on the GUI thread and reports the stick, scaled to a few steps either
// side of the centre, and the buttons to its event handlers. The core's poller decides; this
// class gives it a Qt timer and the component's names.
#include "core/joystick_poller.h"
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
    bool capturing() const { return poller_.capturing(); }
    // Holds the reports back without giving the port up (while the emulator has the stick),
    // and lets them come again if they were coming before.
    void pauseReports();
    void resumeReports();

    TGamePort GamePort() const { return gamePort_; }
    void setGamePort(TGamePort port);
    bool Polling() const { return poller_.polling(); }
    void setPolling(bool polling);
    int Interval() const { return poller_.interval(); }
    void setInterval(int milliseconds);
    double EventThreshold() const { return poller_.eventThreshold(); }
    void setEventThreshold(double percent);
    bool Scaled() const { return poller_.scaled(); }
    void setScaled(bool scaled) { poller_.setScaled(scaled); }
    int16_t XScaledBy() const { return poller_.scaling().xScaledBy(); }
    int16_t YScaledBy() const { return poller_.scaling().yScaledBy(); }
    int16_t ZScaledBy() const { return poller_.scaling().zScaledBy(); }
    void setXScaledBy(int16_t value) { poller_.scaling().setXScaledBy(value); }
    void setYScaledBy(int16_t value) { poller_.scaling().setYScaledBy(value); }
    void setZScaledBy(int16_t value) { poller_.scaling().setZScaledBy(value); }
    bool CalAutoSave() const { return calAutoSave_; }
    void setCalAutoSave(bool value) { calAutoSave_ = value; }
    bool CalAutoLoad() const { return calAutoLoad_; }
    void setCalAutoLoad(bool value) { calAutoLoad_ = value; }
    int MaxZ() const { return poller_.scaling().maxZ; }
    int MinZ() const { return poller_.scaling().minZ; }
    int NumButtons() const { return poller_.numButtons(); }

    bool active() const { return poller_.active(); }
    // The movement in raw units that counts as a change when not polling.
    int thresholdUnits() const { return poller_.thresholdUnits(); }
    const tavrix::JoystickScaling& scaling() const { return poller_.scaling(); }

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
    // The poller's timer: a Qt timer on the GUI thread.
    class Timer : public tavrix::PollTimer {
    public:
        explicit Timer(QTimer* timer) : timer_(timer) {}
        void start(int milliseconds) override;
        void stop() override;
        bool isActive() const override;

    private:
        QTimer* timer_;
    };

    QTimer* qtTimer_;
    Timer timer_;
    tavrix::JoystickPoller poller_;
    TGamePort gamePort_ = TGamePort::Gameport1;
    bool calAutoSave_ = false;
    bool calAutoLoad_ = false;
};
