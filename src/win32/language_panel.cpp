#include "win32/language_panel.h"

#include "win32/fonts.h"
#include "win32/panel_pictures.h"

namespace tavrix::win32 {

LanguagePanel::LanguagePanel(PageHost& host, LanguagePanelModel& panelModel)
    : Page(host, kLanguagePanel, panelModel, languagePanelLayout()), model(panelModel) {}

LanguagePanel::~LanguagePanel() {
    // The pictures' controls let go of them first.
    for (const char* name : {"I4", "I2", "I3"}) SendMessageW(form_[name], STM_SETIMAGE, IMAGE_BITMAP, 0);
    for (HBITMAP picture : pictures_) DeleteObject(picture);
}

void LanguagePanel::created() {
    // The prompt reads the same in both languages (the panel comes before the choice), in the
    // face that has Hangul.
    const ControlRow& prompt = form_.layout()["I4"];
    HFONT font = form_.fonts().font(false, kPlain, 10);
    const std::pair<const char*, HBITMAP> pictures[] = {
        {"I4", paintPromptPicture(font, prompt.accessibleName.ko, prompt.place.width, prompt.place.height)},
        {"I2", paintKoreanFlag()},
        {"I3", paintEnglishFlag()},
    };
    for (const auto& [name, picture] : pictures) {
        pictures_.push_back(picture);
        SendMessageW(form_[name], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    }
}

void LanguagePanel::showModel() {
    for (const ControlRow& desc : form_.layout().controls) form_.setVisible(desc.name, model.visible);
    ShowWindow(window(), model.visible ? SW_SHOW : SW_HIDE);
    if (model.visible) SetWindowPos(window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tavrix::win32
