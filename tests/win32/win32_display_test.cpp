// The native window as the display and the screen reader have it: every caption whole at every
// display scale in both languages, and every control named for screen readers.
#include "core/layout_rules.h"
#include "core/text.h"
#include "fixtures/annotation_recorder.h"
#include "win32/error_box.h"
#include "win32/fonts.h"
#include "win32/language_panel.h"
#include "win32/main_window.h"
#include "core/page_model.h"

#include <initguid.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace tavrix;
using namespace tavrix::test;
using namespace tavrix::win32;

namespace {

// The window made as the program makes it, hidden, with errors collected instead of boxes.
struct Window {
    Window() {
        setErrorReporter([this](const std::string& text) { errors.push_back(text); });
        window.create(GetModuleHandleW(nullptr));
    }
    ~Window() { setErrorReporter({}); }
    // Every table with the controls built from it.
    std::vector<std::pair<const FormLayout*, Form*>> tables() {
        std::vector<std::pair<const FormLayout*, Form*>> made{{&mainWindowLayout(), &window.form()}};
        const FormLayout* pages[] = {&gameInfoPageLayout(), &generalPageLayout(), &videoPageLayout(),
                                     &soundPageLayout(),    &controlsPageLayout(), &aboutPageLayout()};
        const int order[] = {kGameInfoPage, kGeneralPage, kVideoPage, kSoundPage, kControlsPage, kAboutPage};
        for (int i = 0; i < kPageCount; ++i) made.emplace_back(pages[i], &window.page(order[i]).form());
        made.emplace_back(&languagePanelLayout(), &window.page(kLanguagePanel).form());
        return made;
    }
    MainWindow window;
    std::vector<std::string> errors;
};

// A control's place in its page (or window), as the window system has it.
Rect placeOnScreen(HWND control) {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

TextExtent textExtent(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring shown = wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {size.cx, size.cy};
}

// What the controls of `form` draw beside their captions at the scale of now: fixed shares of
// the scale where the system draws by the scale, measured where the control lays itself out.
CaptionFurniture furnitureOf(const FormLayout& layout, const Form& form) {
    CaptionFurniture furniture;
    furniture.box = form.scaled(17);           // a 13-pixel box and the gap to the text
    furniture.buttonWidth = form.scaled(10);   // frame and padding
    furniture.buttonHeight = form.scaled(4);
    furniture.groupTitle = form.scaled(16);    // the title's inset
    furniture.header = form.scaled(12);        // the header's text margins
    furniture.tabRow = form.scaled(4);         // the frame around the row of tabs
    for (const ControlRow& control : layout.controls) {
        HWND handle = form[control.name];
        if (control.kind == ControlKind::ComboBox) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(handle, &info);
            RECT box;
            GetWindowRect(handle, &box);
            furniture.listWidth = (box.right - box.left) - (info.rcItem.right - info.rcItem.left) + form.scaled(4);
            furniture.listHeight = (box.bottom - box.top) - (info.rcItem.bottom - info.rcItem.top);
        }
        if (control.kind == ControlKind::TabControl) {
            // Each tab is as wide as its caption and the padding the control gives it.
            for (int tab = 0; tab < static_cast<int>(control.items.size()); ++tab) {
                RECT item;
                TabCtrl_GetItemRect(handle, tab, &item);
                wchar_t text[128] = L"";
                TCITEMW query{};
                query.mask = TCIF_TEXT;
                query.pszText = text;
                query.cchTextMax = 128;
                TabCtrl_GetItem(handle, tab, &query);
                furniture.tab = std::max<int>(furniture.tab, (item.right - item.left) - textExtent(handle, narrow(text)).width);
            }
        }
    }
    return furniture;
}

}  // namespace

TEST(Win32Display, EveryCaptionShowsWholeAtEveryScaleInBothLanguages) {
    Window built;
    MainWindow& window = built.window;
    for (const int dpi : {96, 120, 144, 192}) {
        // As the system tells a window that its display's scale changed.
        RECT suggested{0, 0, 100, 100};
        SendMessageW(window.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT client;
        GetClientRect(window.window(), &client);
        EXPECT_EQ(client.right, scaled(kClientWidth, dpi)) << dpi;
        EXPECT_EQ(client.bottom, scaled(kClientHeight, dpi)) << dpi;
        for (const bool english : {false, true}) {
            window.showCaptions(english);
            for (const auto& [layout, form] : built.tables()) {
                const CaptionFurniture furniture = furnitureOf(*layout, *form);
                for (const CaptionRoom& room : captionRooms(*layout, english, dpi, furniture)) {
                    HWND control = (*form)[room.control];
                    EXPECT_EQ(misfit(room, [&](const std::string& text) { return textExtent(control, text); }), "")
                        << room.control << " at " << dpi << " dpi" << (english ? " in English" : " in Korean");
                }
                // Every control at its scaled place, and none over another unless the table says so.
                for (const ControlRow& a : layout->controls) {
                    const Rect shown = placeOnScreen((*form)[a.name]);
                    const Rect wanted = pagePlace(*layout, a.name, dpi);
                    EXPECT_TRUE(shown.x == wanted.x && shown.y == wanted.y && shown.width == wanted.width &&
                                shown.height == wanted.height)
                        << a.name << " at " << dpi << " dpi: " << shown.x << "," << shown.y << " " << shown.width << "x"
                        << shown.height;
                    for (const ControlRow& b : layout->controls)
                        if (&a < &b && overlap(shown, placeOnScreen((*form)[b.name])))
                            EXPECT_TRUE(overlap(pagePlace(*layout, a.name), pagePlace(*layout, b.name)))
                                << a.name << " over " << b.name << " at " << dpi << " dpi";
                }
            }
        }
    }
    EXPECT_TRUE(built.errors.empty());
}

namespace {

std::string trimmed(const Caption& text, bool english) {
    return trim(text.in(english));
}

}  // namespace

TEST(Win32Display, EveryControlIsNamedForScreenReadersInTheLanguageShown) {
    AnnotationRecorder notes;
    Window built;
    MainWindow& window = built.window;
    auto name = [&](HWND control, long part = 0) { return narrow(notes.names[{control, part}]); };
    // The pages hold their tables' controls and nothing else: no helper windows for names.
    for (const auto& [layout, form] : built.tables()) {
        if (layout == &mainWindowLayout()) continue;
        HWND page = GetParent((*form)[layout->controls.front().name]);
        for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            EXPECT_NE(form->nameOf(GetDlgCtrlID(child)), nullptr) << "a window of its own in " << layout->controls.front().name;
    }
    Form& general = window.page(kGeneralPage).form();
    Form& video = window.page(kVideoPage).form();
    Form& panel = window.page(kLanguagePanel).form();
    Form& controls = window.page(kControlsPage).form();
    for (const bool english : {false, true}) {
        window.showCaptions(english);
        for (const auto& [layout, form] : built.tables())
            for (const ControlRow& control : layout->controls) {
                HWND handle = (*form)[control.name];
                if (control.kind == ControlKind::UpDown) {
                    EXPECT_EQ(name(handle, 1), trimmed(control.accessibleName, english)) << control.name << " up";
                    EXPECT_EQ(name(handle, 2), trimmed(control.downName, english)) << control.name << " down";
                }
                // The capture inputs are pressed to capture: read as buttons.
                const auto role = notes.roles.find({handle, 0});
                EXPECT_EQ(role != notes.roles.end() ? role->second : 0, control.buttonLike ? ROLE_SYSTEM_PUSHBUTTON : 0)
                    << control.name;
            }
        const struct {
            HWND control;
            long part;
            const char *korean, *english;
        } expected[] = {
            {panel["RB1"], 0, "한국어", "한국어"},
            {panel["RB2"], 0, "English", "English"},
            {general["B01"], 0, "롬 경로 선택", "Select rom path"},
            {general["E1"], 0, "롬셋 디렉토리", "Romset directory"},
            {general["CB24"], 0, "시작할 때 롬 경로 다시 검색", "Rescan rom path on startup"},
            {video["E2"], 0, "프레임", "frames"},
            {video["UD1"], 2, "프레임 내리기", "Frames down"},
            {controls["E4"], 0, "키 입력 받기", "Key capture"},
            {window.form()["LV0"], 0, "게임 목록", "Game list"},
        };
        for (const auto& spoken : expected)
            EXPECT_EQ(name(spoken.control, spoken.part), english ? spoken.english : spoken.korean);
    }
    // A name that is a control's own text follows the text the page writes.
    controls.setText("GB6", " Player 2 ");
    EXPECT_EQ(name(controls["GB6"]), "Player 2");
    EXPECT_TRUE(built.errors.empty());
}

namespace {

// The system's accessibility layer as a screen reader reaches it.
struct AccessibilityLayer {
    AccessibilityLayer() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        library = LoadLibraryW(L"oleacc.dll");
        if (library != nullptr)
            objectFromWindow = reinterpret_cast<decltype(objectFromWindow)>(
                reinterpret_cast<void*>(GetProcAddress(library, "AccessibleObjectFromWindow")));
    }
    ~AccessibilityLayer() {
        if (library != nullptr) FreeLibrary(library);
        CoUninitialize();
    }
    // Whether the system keeps the names and roles a program annotates its controls with.
    static bool takesAnnotations(HWND control) {
        IAccPropServices* services = nullptr;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                    reinterpret_cast<void**>(&services))))
            return false;
        const bool takes = SUCCEEDED(services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, L"x"));
        services->Release();
        return takes;
    }
    HMODULE library = nullptr;
    HRESULT(WINAPI* objectFromWindow)(HWND, DWORD, REFIID, void**) = nullptr;
};

}  // namespace

TEST(Win32Display, TheSystemsAccessibilityLayerReadsEveryShownControl) {
    AccessibilityLayer system;
    ASSERT_NE(system.objectFromWindow, nullptr);
    Window built;
    MainWindow& window = built.window;
    window.showCaptions(true);
    // Where the system keeps annotations (Windows), a screen reader hears exactly the names and
    // roles the window gives; where it does not (Wine), it reads what the controls show: a
    // control's own text, or the text of the label just before it.
    const bool annotated = AccessibilityLayer::takesAnnotations(window.form()["LV0"]);
    window.showCaptions(true);
    ShowWindow(window.window(), SW_SHOWNOACTIVATE);
    int named = 0, controls = 0;
    for (int page = 0; page < kPageCount; ++page) {
        window.model().showPage(page);
        for (const auto& [layout, form] : built.tables()) {
            for (const ControlRow& control : layout->controls) {
                HWND handle = (*form)[control.name];
                if (!IsWindowVisible(handle)) continue;
                ++controls;
                IAccessible* object = nullptr;
                ASSERT_EQ(system.objectFromWindow(handle, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)),
                          S_OK)
                    << control.name;
                VARIANT self{};
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                BSTR spoken = nullptr;
                const bool answered = object->get_accName(self, &spoken) == S_OK && spoken != nullptr;
                const std::string heard = answered ? narrow(spoken) : "";
                SysFreeString(spoken);
                VARIANT role{};
                EXPECT_EQ(object->get_accRole(self, &role), S_OK) << control.name;
                object->Release();
                const std::string wanted = spokenName(*layout, control, true);
                if (annotated) {
                    EXPECT_EQ(heard, wanted) << control.name;
                    if (control.buttonLike) EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON) << control.name;
                    continue;
                }
                if (!answered) continue;
                ++named;
                wchar_t own[256] = L"";
                GetWindowTextW(handle, own, 256);
                HWND before = GetWindow(handle, GW_HWNDPREV);
                wchar_t label[256] = L"";
                if (before != nullptr) GetWindowTextW(before, label, 256);
                EXPECT_TRUE(heard == wanted || heard == narrow(own) || heard == narrow(label)) << control.name << ": " << heard;
                // A box named by a label hears that label, not another control's.
                if (control.kind == ControlKind::Edit && !wanted.empty() && layout != &generalPageLayout())
                    EXPECT_EQ(trim(heard), wanted) << control.name;
            }
        }
    }
    std::printf("The system's accessibility layer %s annotations; it named %d of %d shown controls by itself.\n",
                annotated ? "keeps" : "takes no", named, controls);
    EXPECT_TRUE(built.errors.empty());
}

TEST(Win32Display, TheProgramsCarryTheIconAndTheProjectsVersion) {
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path build = std::filesystem::path(self).parent_path() / ".." / "..";
    for (const auto& program : {build / "src" / "win32" / "tavrix.exe", build / "src" / "audit" / "tavrix-audit.exe"}) {
        SCOPED_TRACE(program.string());
        HMODULE file = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(file, nullptr);
        EXPECT_NE(FindResourceW(file, L"MAINICON", MAKEINTRESOURCEW(14)), nullptr) << "the icon group";  // RT_GROUP_ICON
        FreeLibrary(file);
        DWORD handle = 0;
        std::vector<char> info(GetFileVersionInfoSizeW(program.c_str(), &handle));
        ASSERT_FALSE(info.empty());
        ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
        EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1u)) << "1.0";
        EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 1u)) << ".1.0";
        wchar_t* product = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductName", reinterpret_cast<void**>(&product), &size));
        EXPECT_EQ(narrow(product), "Tavrix");
    }
}
