#pragma once
// TS2, General Settings: the romset directory, the start-up scan option and the game list
// options, with Save and Cancel (which is also the page's reload at start-up). The keys are
// the model's; this view draws it and forwards events.
#include "app/page.h"
#include "core/general_page_model.h"

#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class GeneralPage : public Page {
    Q_OBJECT
public:
    explicit GeneralPage(TF1* form);

    // Replaces the folder dialog (tests); it returns the chosen folder or an empty text when
    // cancelled. Given the prompt and the folder the dialog starts in.
    using FolderChooser = std::function<QString(const QString& prompt, const QString& startFolder)>;
    static void setFolderChooser(FolderChooser chooser);

    // Checks RG2's item `index` (0 to 3); runs RG2Click when this changes the choice.
    void selectSortChoice(int index);
    // The checked RG2 item, or -1.
    int sortChoice() const;
    // The romset directory as E1 holds it now: the stored bytes while the text is as loaded.
    std::string romsDirectory() const { return model.romsDirectory(); }

    // The controls that other parts of the program and the tests reach; the page's layout
    // table names every control.
    QLineEdit* E1;       // the romset directory
    QPushButton* B01;    // "...": folder dialog
    QCheckBox* CB24;     // rescan on start-up
    QPushButton* B02;    // rescan now
    QLabel* L16;         // the game count line
    QCheckBox* CB26;     // only playable games
    QCheckBox* CB27;     // all columns
    QRadioButton* RG2Items[4];  // sort choice
    QButtonGroup* RG2Group;
    QPushButton* B07;    // Save
    QPushButton* B05;    // Cancel / reload

    void E1Change();
    void B01Click();
    void B02Click();
    void B07Click();
    void B05Click();
    void CB26Click();
    void CB27Click();
    void RG2Click(int index);

    tavrix::GeneralPageModel model;

protected:
    // Sets the controls in the order of a reload; their changes run their handlers, as a
    // user's would.
    void showModel() override;

private:
    void CreateWidgets();
    void ConnectWidgets();
};
