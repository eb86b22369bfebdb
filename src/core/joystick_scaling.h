#pragma once
// The arithmetic of the joystick component: raw axis positions scaled to a few steps either side
// of the centre, the movement threshold, and the input code that a joystick report assigns on
// the Controls page.
#include <cstdint>
#include <optional>

namespace tavrix {

class JoystickScaling {
public:
    // The scaling range; the joystick component replaces it with the device's axis ranges.
    int xMin = -32767, xMax = 32767;
    int yMin = -32767, yMax = 32767;
    int minZ = 0, maxZ = 32767;
    static constexpr int xCenter = 0;
    static constexpr int yCenter = 0;

    int16_t xScaledBy() const { return xScaledBy_; }
    int16_t yScaledBy() const { return yScaledBy_; }
    int16_t zScaledBy() const { return zScaledBy_; }
    // Number of steps from the centre to the end of the range; 0 is stored as 1. Each setter
    // recomputes the steps.
    void setXScaledBy(int16_t value);
    void setYScaledBy(int16_t value);
    void setZScaledBy(int16_t value);

    // Recomputes the step sizes from the range and the ScaledBy values. X and Y steps below
    // 1.0 become 1.0; a maxZ of 0 counts as 32767.
    void recalcScaling();

    // round((position - centre) / step), the step of the side the position lies on, ties to
    // even; 0 while a step is 0 (before the first recalcScaling).
    int scaleX(int position) const;
    int scaleY(int position) const;
    // round((z - minZ) / zStep); 0 when the Z range is empty.
    int scaleZ(int position) const;

    double xHighStep() const { return xHighStep_; }
    double xLowStep() const { return xLowStep_; }
    double yHighStep() const { return yHighStep_; }
    double yLowStep() const { return yLowStep_; }
    double zStep() const { return zStep_; }

private:
    int16_t xScaledBy_ = 1, yScaledBy_ = 1, zScaledBy_ = 1;
    double xHighStep_ = 0, xLowStep_ = 0, yHighStep_ = 0, yLowStep_ = 0, zStep_ = 0;
};

// The movement threshold in percent of the X range, limited to 0 .. 10.
double clampEventThreshold(double percent);

// round(range * percent / 100), the threshold in raw units that the device is given.
int thresholdUnits(int range, double percent);

// The input code that a scaled joystick report assigns (0 left/up, 1 centre, 2 right/down):
// a horizontal deflection beats a vertical one, which beats the buttons; a single button n
// (bit n-1) gives button n, several buttons or a bit above button 12 give button 1. Nothing
// when the stick is centred and no button is down. `joystick` is 1 or 2.
std::optional<int> joystickInputCode(int xPos, int yPos, uint16_t buttonStatus, int joystick);

}  // namespace tavrix
