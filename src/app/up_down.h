#pragma once
// Up-down buttons bound to an edit box: two small arrow buttons that step the whole number
// shown in the box between a minimum and a maximum. The box itself takes any text; a step
// starts from the box's number when it holds one, otherwise from the last position.
#include <QWidget>

class QLineEdit;
class QToolButton;

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* buddy, QWidget* parent);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    // The last position stepped to or set; setting it also writes the box's text.
    int position() const { return position_; }
    void setPosition(int position);

    // One click of the up (+1) or down (-1) button, or a press of the Up or Down key in the box.
    void step(int delta);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int clamp(int value) const;

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};
