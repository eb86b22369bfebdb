#pragma once
// IL: the five 16 x 16 images of the game list, drawn in code with transparent backgrounds.
// 0 red chip, 1 yellow chip, 2 green chip (the romset statuses), 3 the descending sort arrow
// (down arrow beside bars that shorten downwards), 4 the ascending one (up arrow beside bars
// that lengthen downwards), which is also the icon of a game never scanned.
#include <QIcon>
#include <QPixmap>
#include <QVector>

class ImageList {
public:
    static constexpr int kDescendingArrow = 3;
    static constexpr int kAscendingArrow = 4;

    ImageList();
    int count() const { return static_cast<int>(images_.size()); }
    // The image, or a null pixmap for an index the list does not hold.
    QPixmap image(int index) const;
    QIcon icon(int index) const;

private:
    QVector<QPixmap> images_;
    QVector<QIcon> icons_;
};
