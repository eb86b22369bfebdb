#pragma once
// The Video page without its widgets: what each control shows and whether it is enabled, and
// the page's handlers as operations on it. A front end draws these values and forwards each
// user action here; the renderer files and tavrix.ini are read and written by the model.
#include "core/launch_command.h"
#include "core/layout/captions.h"
#include "core/page_model.h"
#include "core/text.h"
#include "core/video_settings.h"

#include <optional>
#include <utility>
#include <vector>

namespace tavrix {

// A control of the page by name and the model's value it shows.
template <typename Value>
struct ControlValue {
    const char* name;
    Value* value;
};

struct VideoPageModel : PageModel {
    // Checked states, selections (-1 for none) and texts; `values.ditheringEnabled` is CB9's
    // enabled flag.
    VideoSettings values;

    bool stretchingEnabled = false;  // CB2
    // CB7 and the lists that only a hardware renderer uses: CB5, CB14, CB15, CB10, CB16, CB8
    // and their labels.
    bool textureEnabled = true;
    bool registryEnabled = true;     // CB22
    bool advancedVisible = false;    // B14, the software renderer's own settings dialog
    // CB3 and the screen and frame controls: CB6, CB11, CB12, CB13, CB28 and their labels.
    bool screenEnabled = true;
    bool fullScreenEnabled = true;   // CB4
    bool frameRateEnabled = false;   // E2, its up-down UD1 and its label L14

    std::vector<VideoListItem> scanLineItems{VideoListItem::No, VideoListItem::Yes};  // CB6
    std::vector<VideoListItem> blendingItems{VideoListItem::No, VideoListItem::Yes};  // CB10
    // Counts the renderer rule's rebuilds of the two lists: the front end rebuilds its items,
    // in the language of the moment, when this changes.
    int listsBuilt = 0;

    // The values for the files and the launch: the frame rate as its stored bytes while E2
    // shows it unchanged.
    VideoSettings settings() const;

    // CB18's selection: the renderer kinds in list order; any other index picks OpenGL.
    int rendererIndex() const { return static_cast<int>(values.renderer); }
    void pickRenderer(int index);
    // CB18's selection as a field: set from the renderer kind whenever the fields are asked
    // for, and read back by the user's pick (CB18's handler picks the renderer from it).
    int rendererChoice = 2;

    // Every control tied to a field: the lists and check boxes below, CB18, CB22 and E2.
    ControlFields fields() override;
    // Slow geometry, renderer, registry settings, rotation and the console, as shown now.
    void addLaunchInputs(LaunchInputs& inputs) const;

    // The lists and check boxes that each show one member of `values` (not CB18 and CB22,
    // which have rules of their own): the front end shows each value and writes the user's
    // changes back into it.
    std::vector<ControlValue<int>> lists();
    std::vector<ControlValue<bool>> checkBoxes();
    // Every control whose enabled state the rules decide, with that state.
    ControlStates enabledControls() const override;


    // Lists run their change handlers only for the user's picks: the front end sets the
    // selection in `values`, then calls the handler.
    void CB18Change();
    void CB22Click();
    void CB3Change();
    void CB13Change();
    void CB5Change();

    // Writes the renderer file (the hardware one when `hardware`, else the software one),
    // then the page's five keys of tavrix.ini.
    void WriteVideoSettings(bool hardware);
    // Fills the page from tavrix.ini and the renderer file of the stored renderer kind.
    void ReadVideoSettings();
    // Save: the chosen renderer's file and the keys. The front end then shows Game Info.
    void B09Click();

private:
    // The program changes CB22: its click handler runs when its state changes.
    void checkRegistry(bool checked);

    KeptText storedFrameRate;  // the frame-rate text as last read from a renderer file
    // While ReadVideoSettings runs: the registry flag it has read and not yet put into CB22,
    // which a defaults' write in between stores instead of CB22's state.
    std::optional<bool> pendingRegistrySettings;

    void applyUpdate(const VideoSettingsUpdate& update, bool rendererRuleAfterFiltering);
    void readSoftwareRendererFile();
    void readHardwareRendererFile();
};

}  // namespace tavrix
