#pragma once
// The game list LV0: draws the entries of the game list model (filled from the game database,
// sorted, optionally cut down to the playable games) and the extra columns. Selecting an entry
// fills the Game Info page. The list options are the General page's RG2, CB26 and CB27, whose
// handlers call in here; the rules are the model's (see core/game_list_model.h).
#include "app/image_list.h"
#include "core/game_list_model.h"

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class TF1;

class GameList : public QObject {
    Q_OBJECT
public:
    // Sort columns: 0 the title, 1 the hardware, 2 the year, 3 the emulator order.
    static constexpr int kEmulatorOrderColumn = 3;
    // Roles of an entry's data.
    static constexpr int kNumberRole = Qt::UserRole;       // the game number
    static constexpr int kStatusRole = Qt::UserRole + 1;   // the icon index
    // Role of the header item: the image index of the arrow on each column, or -1.
    static constexpr int kHeaderImageRole = Qt::UserRole;

    GameList(TF1* form, QTreeWidget* list);

    const ImageList& images() const { return IL; }
    // Start-up step 4: the English column headers.
    void applyEnglishCaptions();

    // Fills the list from tavrix.ini with the selection handler detached, and sets the count
    // line. The caller sorts afterwards.
    void fill();
    // Sorts by the current sort column and direction; the selected entry stays selected.
    void sort();
    // Puts the arrow for the current direction on the sort column when it is visible.
    void markSortColumn();

    // A header click on `column`.
    void LV0ColumnClick(int column);
    // The selected entry changed: fill the Game Info page for its game.
    void LV0SelectItem();
    // RG2 now shows `index` (0 emulator order, 1 title, 2 hardware, 3 year).
    void RG2Click(int index);
    // CB26 changed: keep only the playable games, or bring every game back.
    void CB26Click();
    // CB27 changed: show or hide the Hardware and Year columns, widening the window.
    void CB27Click();

    // Selects the first entry (which fills the Game Info page) when there is one.
    void selectFirst();
    // Makes `item` the selected entry without filling the Game Info page (the scan fills the
    // page itself).
    void setCurrentQuietly(QTreeWidgetItem* item);

    int sortColumn() const { return model.sortColumn; }
    // The RG2 item that sorts by the current sort column (0 to 3), whether or not RG2 shows it.
    int sortChoiceOfColumn() const { return model.sortChoiceOfColumn(); }
    bool ascending() const { return model.ascending; }
    void setAscending(bool ascending) { model.ascending = ascending; }
    bool allColumnsShown() const;
    bool isVisibleSortColumn(int column) const { return model.isVisibleSortColumn(column); }
    // The arrow image on a header column, or -1.
    int headerImage(int column) const;

    // The game number and icon index of an entry.
    static int numberOf(const QTreeWidgetItem* item);
    static int statusOf(const QTreeWidgetItem* item);
    // Changes an entry's icon (the scan, as each game is verified).
    void setStatus(QTreeWidgetItem* item, int status);
    int playableCount() const { return model.playableCount(); }
    // "Games: N from M" in the language in force.
    static QString countLine(int playable, int total);
    void updateCountLine();

private:
    // Rebuilds the entries from the model, with the selection handler detached.
    void showEntries();
    // Puts the entries into the model's order.
    void showOrder();
    void showStatus(QTreeWidgetItem* item, int status);
    // Sets every present column's header arrow from the model.
    void showHeaderImages();
    void attachHandlers();
    void detachHandlers();

    TF1* form;
    QTreeWidget* LV0;
    ImageList IL;
    tavrix::GameListModel model;
    bool handlersAttached_ = false;
};
