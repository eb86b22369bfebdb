#pragma once
// The game list LV0: a view of the window model's game list (core/game_list_model.h). The
// list view reads each row from the model as it draws it, so a list of the largest catalogue
// costs no widget per game. It shows the entries in the model's order with their icons, the
// extra columns and the header arrows, and hands the user's selection, header clicks, double
// clicks and keys to the window model, which decides what follows.
#include "app/image_list.h"
#include "core/window_model.h"

#include <QAbstractTableModel>

#include <array>
#include <vector>

class QTreeView;

class GameList : public QAbstractTableModel {
    Q_OBJECT
public:
    // Roles of an entry's data: the game number and the icon index; of a column header: the
    // image index of its arrow, or -1.
    static constexpr int kNumberRole = Qt::UserRole;
    static constexpr int kStatusRole = Qt::UserRole + 1;
    static constexpr int kHeaderImageRole = Qt::UserRole;

    GameList(tavrix::WindowModel& window, QTreeView* list, QObject* parent);

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

    // The game number and icon index of an entry of the list's model.
    static int numberOf(const QModelIndex& entry);
    static int statusOf(const QModelIndex& entry);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    // Enter and F11 go to the window model instead of the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What a row shows of its entry besides the texts: its game and the status of its icon.
    struct Row {
        int number;
        int status;
    };

    tavrix::WindowModel& window;
    QTreeView* LV0;
    ImageList IL;
    std::vector<Row> rows_;
    int columns_ = 1;
    std::array<int, 3> headerImages_{-1, -1, -1};
    bool handlersAttached_ = false;
};
