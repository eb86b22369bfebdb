#pragma once
// The Video page (TS3): the renderer plug-in, resolution and picture options, rotation, the
// emulator's console and the software renderer's own registry settings. Its values live in
// five keys of tavrix.ini and in the renderer file of the chosen renderer kind. The rules are
// the model's; this view draws it and forwards events.
#include "app/page.h"
#include "core/video_page_model.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UpDown;

namespace tavrix::platform {
class SoftwareRendererDialog;
}

class VideoPage : public Page {
    Q_OBJECT
public:
    explicit VideoPage(TF1* form);
    ~VideoPage() override;

    // Writes the renderer file (the hardware one when `hardware`, else the software one),
    // then the page's five keys of tavrix.ini.
    void WriteVideoSettings(bool hardware);
    // Fills the page from tavrix.ini and the renderer file of the stored renderer kind.
    void ReadVideoSettings();

    // The controls as one value, for the files and the launch.
    tavrix::VideoSettings settings() const;

    // The controls that other parts of the program and the tests reach; the page's layout
    // table names every control.
    QLabel* L50;
    QComboBox* CB18;  // 3D interface: Software, Direct3D, OpenGL
    QCheckBox* CB2;   // stretching
    QComboBox* CB3;   // resolution
    QCheckBox* CB4;   // full screen
    QComboBox* CB5;   // colour depth
    QCheckBox* CB9;   // dithering
    QComboBox* CB6;   // scan lines, items set by the renderer
    QComboBox* CB7;   // texture filtering
    QCheckBox* CB17;  // slow geometry
    QComboBox* CB10;  // blending, items set by the renderer
    QCheckBox* CB28;  // show FPS
    QComboBox* CB11;  // frame limit
    QCheckBox* CB12;  // frame skip
    QComboBox* CB13;  // auto framerate
    QLineEdit* E2;    // frame rate, free text
    UpDown* UD1;
    QLabel* L14;
    QComboBox* CB14;  // texture type
    QCheckBox* CB16;  // renderer keys
    QComboBox* CB15;  // texture caching
    QCheckBox* CB29;  // hide the emulator's console
    QComboBox* CB8;   // rotation
    QCheckBox* CB22;  // use the software renderer's registry settings
    QPushButton* B14;  // the software renderer's own settings dialog
    QPushButton* B09;  // Save
    QPushButton* B06;  // Cancel

    void CB18Change();
    void CB22Click();
    void CB3Change();
    void CB13Change();
    void CB5Change();
    void B09Click();
    void B06Click();
    void B14Click();

    tavrix::VideoPageModel model;

protected:
    void showModel() override;

private:
    void CreateWidgets();
    void ConnectWidgets();

    int shownLists = 0;
    std::unique_ptr<tavrix::platform::SoftwareRendererDialog> rendererDialog;
};
