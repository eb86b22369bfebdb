#pragma once
// The game list LV0: a view of the window model's game list (core/game_list_model.h). It
// shows the entries in the model's order with their icons, the extra columns and the header
// arrows, and hands the user's selection, header clicks, double clicks and keys to the window
// model, which decides what follows.
#include "app/image_list.h"
#include "core/window_model.h"

#include <QObject>

class QTreeWidget;
class QTreeWidgetItem;

class GameList : public QObject {
    Q_OBJECT
public:
    // Roles of an entry's data: the game number and the icon index; of the header item: the
    // image index of the arrow on each column, or -1.
    static constexpr int kNumberRole = Qt::UserRole;
    static constexpr int kStatusRole = Qt::UserRole + 1;
    static constexpr int kHeaderImageRole = Qt::UserRole;

    GameList(tavrix::WindowModel& window, QTreeWidget* list, QObject* parent);

    const ImageList& images() const { return IL; }
    void applyEnglishCaptions();

    // The window model's steps on the list (see tavrix::WindowSteps).
    void showEntries();
    void showOrder();
    void showHeaderImages();
    void showColumns();
    void showStatus(int position);
    void selectQuietly(int position);
    int selectedNumber() const;

    // The game number and icon index of an entry.
    static int numberOf(const QTreeWidgetItem* item);
    static int statusOf(const QTreeWidgetItem* item);

protected:
    // Enter and F11 go to the window model instead of the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStatus(QTreeWidgetItem* item, int status);

    tavrix::WindowModel& window;
    QTreeWidget* LV0;
    ImageList IL;
    bool handlersAttached_ = false;
};
