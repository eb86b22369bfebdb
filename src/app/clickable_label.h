#pragma once
// A label (text or picture) that reports clicks and double-clicks. It takes the mouse events
// it reports, so the box it lies in does not see the same click again. One that takes the
// focus (by Tab) shows it with a focus frame.
#include <QLabel>

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
