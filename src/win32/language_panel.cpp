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
    // Painted for the pictures' size, again at each new display scale.
    auto paint = [this] {
        // The prompt reads the same in both languages (the panel comes before the choice), in
        // the face that has Hangul.
        const Rect prompt = form_.placeOf("I4"), korean = form_.placeOf("I2"), english = form_.placeOf("I3");
        HFONT font = form_.fonts().font(false, kPlain, 10);
        const std::pair<const char*, HBITMAP> pictures[] = {
            {"I4", paintPromptPicture(font, form_.layout()["I4"].accessibleName.ko, prompt.width, prompt.height)},
            {"I2", paintKoreanFlag(korean.width, korean.height)},
            {"I3", paintEnglishFlag(english.width, english.height)},
        };
        for (const auto& [name, picture] : pictures)
            SendMessageW(form_[name], STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
        for (HBITMAP old : pictures_) DeleteObject(old);
        pictures_.clear();
        for (const auto& entry : pictures) pictures_.push_back(entry.second);
    };
    paint();
    form_.whenRescaled(paint);
}

void LanguagePanel::showModel() {
    for (const ControlRow& desc : form_.layout().controls) form_.setVisible(desc.name, model.visible);
    ShowWindow(window(), model.visible ? SW_SHOW : SW_HIDE);
    if (model.visible) SetWindowPos(window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tavrix::win32
