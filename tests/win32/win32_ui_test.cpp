// The native window under a real window system (Wine on a virtual display in `make
// test-windows`): the controls its tables make, and the pages driven by window messages as a
// user's clicks and keys arrive, saving what the core models save.
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/sound_page_model.h"
#include "fixtures/fake_joystick_source.h"
#include "fixtures/romset_cases.h"
#include "fixtures/temp_dir.h"
#include "platform/win32/joystick.h"
#include "win32/controls_page.h"
#include "win32/error_box.h"
#include "win32/general_page.h"
#include "win32/language_panel.h"
#include "win32/main_window.h"
#include "win32/page_index.h"
#include "core/controls_page_model.h"
#include "core/game_list_model.h"
#include "core/general_page_model.h"
#include "core/video_page_model.h"
#include "win32/sound_page.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tavrix {
inline bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << r.x << "," << r.y << " " << r.width << "x" << r.height;
}

}  // namespace tavrix

using namespace tavrix;
using namespace tavrix::test;
using namespace tavrix::win32;

namespace {

std::string windowText(HWND control) {
    wchar_t text[512] = L"";
    GetWindowTextW(control, text, 512);
    return narrow(text);
}

std::string comboItem(HWND combo, int index) {
    wchar_t text[512] = L"";
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return narrow(text);
}

std::string tabCaption(HWND tabs, int index) {
    wchar_t text[512] = L"";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return narrow(text);
}

std::string columnHeader(HWND list, int column) {
    wchar_t text[512] = L"";
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&item));
    return narrow(text);
}

// A control's place in its page (or window), as the window system has it.
Rect placeOnScreen(HWND control) {
    RECT area;
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

// The window made as the program makes it, hidden, with errors collected instead of boxes.
struct Window {
    explicit Window(std::shared_ptr<JoystickSource> joysticks = nullptr) : window(std::move(joysticks)) {
        setErrorReporter([this](const std::string& text) { errors.push_back(text); });
        window.create(GetModuleHandleW(nullptr));
    }
    ~Window() { setErrorReporter({}); }
    MainWindow window;
    std::vector<std::string> errors;
};

// What a user does to one control.
struct Action {
    enum Kind { Click, Pick, Type, Step, DoubleClick, Key } kind;
    const char* control;
    int index = 0;  // Pick: the entry; Step: +1 up, -1 down; Key: the virtual key
    const char* text = "";
};

// The action sent to the page as the window system sends a user's: a click, a pick in a
// drop-down list, a new text in an edit box, an up-down arrow.
void perform(Page& page, const Action& action) {
    Form& form = page.form();
    HWND control = form[action.control];
    // A user clicks only what is enabled; a program may set a list or a text at any time.
    if (action.kind == Action::Click || action.kind == Action::Step) {
        ASSERT_TRUE(IsWindowEnabled(control)) << action.control << " is disabled";
    }
    switch (action.kind) {
    case Action::Click: SendMessageW(control, BM_CLICK, 0, 0); break;
    case Action::Pick:
        SendMessageW(control, CB_SETCURSEL, action.index, 0);
        SendMessageW(page.window(), WM_COMMAND, MAKEWPARAM(form.id(action.control), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        break;
    case Action::Type: SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(action.text).c_str())); break;
    case Action::DoubleClick:
        SendMessageW(page.window(), WM_COMMAND, MAKEWPARAM(form.id(action.control), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(control));
        break;
    case Action::Key:
        ASSERT_TRUE(IsWindowEnabled(control)) << action.control << " takes no key";
        SendMessageW(control, WM_KEYDOWN, action.index, 1);
        break;
    case Action::Step: {
        NMUPDOWN step{};
        step.hdr = {control, static_cast<UINT_PTR>(form.id(action.control)), static_cast<UINT>(UDN_DELTAPOS)};
        step.iDelta = action.index;
        SendMessageW(page.window(), WM_NOTIFY, form.id(action.control), reinterpret_cast<LPARAM>(&step));
        break;
    }
    }
}

// Every control of a table exists with its id, place, captions and first state.
void checkControls(const FormLayout& layout, Form& form, bool english) {
    for (const ControlRow& desc : layout.controls) {
        SCOPED_TRACE(std::string(desc.name) + (english ? " English" : " Korean"));
        HWND control = form[desc.name];
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetDlgCtrlID(control), form.id(desc.name));
        EXPECT_EQ(placeOnScreen(control), form.placeOf(desc.name));
        switch (desc.kind) {
        case ControlKind::Edit: EXPECT_EQ(windowText(control), desc.caption.ko); break;
        case ControlKind::ComboBox:
            // Items the page model rebuilds keep the language they were made in.
            if (desc.liveItems && english) break;
            ASSERT_EQ(SendMessageW(control, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(desc.items.size()));
            for (std::size_t i = 0; i < desc.items.size(); ++i)
                EXPECT_EQ(comboItem(control, static_cast<int>(i)), desc.items[i].in(english));
            EXPECT_EQ(SendMessageW(control, CB_GETCURSEL, 0, 0), desc.selected);
            break;
        case ControlKind::TabControl:
            ASSERT_EQ(TabCtrl_GetItemCount(control), static_cast<int>(desc.items.size()));
            for (std::size_t i = 0; i < desc.items.size(); ++i)
                EXPECT_EQ(tabCaption(control, static_cast<int>(i)), desc.items[i].in(english));
            break;
        case ControlKind::ListView: EXPECT_EQ(columnHeader(control, 0), desc.items[0].in(english)); break;
        case ControlKind::UpDown:
            EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(control, UDM_GETBUDDY, 0, 0)), form[desc.buddy]);
            EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & UDS_SETBUDDYINT, 0) << "the box takes any text";
            break;
        case ControlKind::Picture: break;
        default: EXPECT_EQ(windowText(control), desc.caption.in(english));
        }
        EXPECT_EQ(form.tip(desc.name), desc.tip.in(english));
        if (!desc.accessibleName.empty()) {
            // Named for screen readers by the label just before it in the z-order, which takes no room.
            HWND spoken = GetWindow(control, GW_HWNDPREV);
            wchar_t type[32] = L"";
            GetClassNameW(spoken, type, 32);
            EXPECT_EQ(_wcsicmp(type, L"Static"), 0);
            EXPECT_EQ(windowText(spoken), desc.accessibleName.in(english));
            EXPECT_EQ(placeOnScreen(spoken).width, 0);
        }
        if (desc.kind == ControlKind::CheckBox || desc.kind == ControlKind::RadioButton) {
            EXPECT_EQ(form.checked(desc.name), desc.checked);
        }
        bool enabled = desc.enabled;
        for (const char* parent = desc.parent; parent != nullptr; parent = layout[parent].parent)
            enabled = enabled && layout[parent].enabled;
        EXPECT_EQ(IsWindowEnabled(control) != 0, enabled) << "enabled with every box around it";
    }
}

}  // namespace

TEST(Win32Window, EveryTableControlExistsWithItsPlaceCaptionsAndFirstState) {
    Window built;
    MainWindow& window = built.window;
    RECT client;
    GetClientRect(window.window(), &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
    EXPECT_EQ(windowText(window.window()), "Tavrix");
    const std::pair<const FormLayout*, Form*> tables[] = {
        {&mainWindowLayout(), &window.form()},
        {&gameInfoPageLayout(), &window.page(kGameInfoPage).form()},
        {&generalPageLayout(), &window.page(kGeneralPage).form()},
        {&videoPageLayout(), &window.page(kVideoPage).form()},
        {&soundPageLayout(), &window.page(kSoundPage).form()},
        {&controlsPageLayout(), &window.page(kControlsPage).form()},
        {&aboutPageLayout(), &window.page(kAboutPage).form()},
        {&languagePanelLayout(), &window.languagePanel().form()},
    };
    for (bool english : {false, true}) {
        window.showCaptions(english);
        for (const auto& [layout, form] : tables) checkControls(*layout, *form, english);
    }
    // Each tab shows its own page only.
    for (int shown = 0; shown < kPageCount; ++shown) {
        window.showPage(shown);
        for (int page = 0; page < kPageCount; ++page)
            EXPECT_EQ((GetWindowLongW(window.page(page).window(), GWL_STYLE) & WS_VISIBLE) != 0, page == shown)
                << shown << " " << page;
    }
    EXPECT_TRUE(built.errors.empty());
}

namespace {

// Every file of the current folder, by name, with its bytes.
std::string filesHere() {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        files[entry.path().filename().string()] = readFile(entry.path());
    std::string all;
    for (const auto& [name, bytes] : files) all += "== " + name + "\n" + bytes;
    return all;
}

// A page's actions run twice on the same files: through the window's messages, between the
// page's Cancel and Save buttons, and on the page's model directly.
struct PageCase {
    int page;
    const char* cancel;
    const char* save;
    std::string stored;  // tavrix.ini
    std::vector<std::vector<Action>> sequences;
    std::function<void(const std::vector<Action>&)> onModel;  // load, act, save
};

bool toggles(const Action& action, std::string_view name) {
    return action.kind == Action::Click && name == action.control;
}

std::vector<PageCase> pageCases() {
    std::vector<PageCase> cases;
    cases.push_back({kSoundPage, "B12", "B11",
                     "[Tavrix]\r\nsound-filter-cutoff=16000\r\nsound-stereo-exciter=1\r\n"
                     "sound-surround-lite-enable=1\r\nsound-surround-lite-multiplier=7\r\n",
                     {{},
                      {{Action::Pick, "CB20", 1}, {Action::Type, "E3", 0, "text, not a number"}},
                      {{Action::Click, "CB19"}, {Action::Pick, "CB20", 3}, {Action::Click, "RG1Item1"}, {Action::Click, "CB1"}},
                      {{Action::Step, "UD2", 1}, {Action::Step, "UD2", 1}, {Action::Type, "E3", 0, "abc"}, {Action::Step, "UD2", -1}},
                      {{Action::Type, "E3", 0, "500"}, {Action::Step, "UD2", -1}, {Action::Click, "RG1Item0"}, {Action::Click, "RG1Item2"}}},
                     [](const std::vector<Action>& actions) {
                         SoundPageModel model;
                         model.B12Click();
                         int position = 40;  // the up-down's first position
                         for (const Action& action : actions) {
                             const std::string control = action.control;
                             if (control == "CB1") model.soundChecked = !model.soundChecked, model.CB1Click();
                             if (control == "CB19") model.filterChecked = !model.filterChecked, model.CB19Click();
                             if (control.starts_with("RG1Item")) model.effectIndex = control.back() - '0', model.RG1Click();
                             if (control == "CB20") model.cutoffIndex = action.index;
                             if (control == "E3") model.multiplierText = action.text;
                             if (control == "UD2") {
                                 position = stepUpDown(model.multiplierText, position, 0, 99, action.index);
                                 model.multiplierText = std::to_string(position);
                             }
                         }
                         model.B11Click();
                     }});
    cases.push_back({kVideoPage, "B06", "B09", "[Tavrix]\r\nrenderer=renderer-ogl.orv\r\n",
                     {{},
                      {{Action::Pick, "CB18", 0}, {Action::Pick, "CB3", 7}, {Action::Click, "CB4"}, {Action::Click, "CB22"}},
                      {{Action::Pick, "CB13", 0}, {Action::Type, "E2", 0, "57"}, {Action::Pick, "CB5", 0},
                       {Action::Pick, "CB8", 2}, {Action::Click, "CB29"}, {Action::Pick, "CB18", 1}}},
                     [](const std::vector<Action>& actions) {
                         VideoPageModel model;
                         model.ReadVideoSettings();
                         for (const Action& action : actions) {
                             const std::string control = action.control;
                             for (auto [name, selection] : model.lists())
                                 if (action.kind == Action::Pick && control == name) *selection = action.index;
                             for (auto [name, checked] : model.checkBoxes())
                                 if (toggles(action, name)) *checked = !*checked;
                             if (control == "CB18") model.pickRenderer(action.index), model.CB18Change();
                             if (control == "CB3") model.CB3Change();
                             if (control == "CB13") model.CB13Change();
                             if (control == "CB5") model.CB5Change();
                             if (control == "CB22") model.values.registrySettings = !model.values.registrySettings, model.CB22Click();
                             if (control == "E2") model.values.frameRate = action.text;
                         }
                         model.B09Click();
                     }});
    cases.push_back({kGeneralPage, "B05", "B07", "[Tavrix]\r\nroms-directory=.\\mine\r\nsorting-type=12\r\n",
                     {{},
                      {{Action::Click, "CB24"}, {Action::Click, "RG2Item3"}, {Action::Type, "E1", 0, "D:\\roms"},
                       {Action::Click, "CB27"}, {Action::Click, "CB26"}}},
                     [](const std::vector<Action>& actions) {
                         GeneralPageModel model;
                         GameListModel list;
                         model.B05Click();
                         if (model.sortChoice >= 0) list.RG2Click(model.sortChoice);
                         list.ascending = model.ascending;
                         for (const Action& action : actions) {
                             const std::string control = action.control;
                             if (control == "CB24") model.startupScan = !model.startupScan;
                             if (control == "CB26") model.showFullRomset = !model.showFullRomset;
                             if (control == "CB27") model.showAllColumns = !model.showAllColumns, list.CB27Click();
                             if (control.starts_with("RG2Item"))
                                 model.sortChoice = control.back() - '0', list.RG2Click(model.sortChoice);
                             if (control == "E1") model.pathText = action.text;
                         }
                         model.B07Click(list.sortChoiceOfColumn(), list.ascending);
                     }});
    cases.push_back({kControlsPage, "B03", "B04", "[Tavrix]\r\n",
                     {{},
                      {{Action::DoubleClick, "L23"}, {Action::Key, "E4", 'Q'}, {Action::Pick, "CB23", 1},
                       {Action::Click, "CB25"}, {Action::DoubleClick, "L30"}, {Action::Key, "E4", VK_F5}}},
                     [](const std::vector<Action>& actions) {
                         ControlsPageModel model;
                         model.LoadControllerConfig();
                         for (const Action& action : actions) {
                             const std::string control = action.control;
                             if (action.kind == Action::DoubleClick) model.L27DblClick(std::stoi(control.substr(1)) - 21);
                             if (action.kind == Action::Key) model.E4KeyDown(action.index);
                             if (control == "CB23") model.state.player = action.index, model.CB23Change();
                             if (control == "CB25") model.state.useMM = !model.state.useMM;
                         }
                         model.B04Click();
                     }});
    return cases;
}

}  // namespace

TEST(Win32Window, EachPageSavesWhatItsModelSavesForTheSameActions) {
    for (const PageCase& page : pageCases()) {
        for (const std::vector<Action>& actions : page.sequences) {
            SCOPED_TRACE(std::to_string(page.page) + " with " + std::to_string(actions.size()) + " actions");
            std::string viaWindow;
            {
                TempDir dir;
                writeFile("tavrix.ini", page.stored);
                Window built;
                Page& shown = built.window.page(page.page);
                built.window.showPage(page.page);
                perform(shown, {Action::Click, page.cancel});
                EXPECT_EQ(built.window.currentPage(), page.page);
                for (const Action& action : actions) perform(shown, action);
                perform(shown, {Action::Click, page.save});
                EXPECT_EQ(built.window.currentPage(), kGameInfoPage);
                EXPECT_TRUE(built.errors.empty()) << built.errors.front();
                viaWindow = filesHere();
            }
            std::string viaModel;
            {
                TempDir dir;
                writeFile("tavrix.ini", page.stored);
                page.onModel(actions);
                viaModel = filesHere();
            }
            EXPECT_EQ(viaWindow, viaModel);
            EXPECT_NE(viaWindow, "== tavrix.ini\n" + page.stored) << "Save wrote the page's values";
            if (page.page == kSoundPage && actions.size() == 2) {
                // The same actions as the Qt page's save test, with the same keys written.
                const auto at = viaWindow.find("[Tavrix]");
                const IniDocument file = IniDocument::parse(viaWindow.substr(at));
                const std::pair<const char*, const char*> keys[] = {
                    {"use-sound", "1"}, {"sound-filter-enable", "0"}, {"sound-filter-cutoff", "11025"},
                    {"sound-stereo-exciter", "0"}, {"sound-surround-lite-enable", "1"},
                    {"sound-surround-lite-multiplier", "text, not a number"}};
                for (const auto& [key, value] : keys) EXPECT_EQ(file.readString("Tavrix", key, "<missing>"), value) << key;
            }
            if (page.page == kSoundPage && actions.size() == 4 && actions[0].kind == Action::Step) {
                EXPECT_NE(viaWindow.find("sound-surround-lite-multiplier=8\r\n"), std::string::npos)
                    << "7 stepped up twice, then down from the last position after a text that is no number";
            }
        }
    }
}

TEST(Win32Window, SoundPageCancelShowsTheModelAndReportsABadCutoffOnce) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nuse-sound=0\r\nsound-filter-enable=1\r\nsound-filter-cutoff=44100\r\n"
                            "sound-stereo-exciter=1\r\nsound-surround-lite-multiplier=77\r\n");
    Window built;
    SoundPage& page = built.window.soundPage();
    Form& form = page.form();
    perform(page, {Action::Click, "B12"});
    EXPECT_FALSE(form.checked("CB1"));
    EXPECT_TRUE(form.checked("CB19"));
    EXPECT_FALSE(form.enabled("CB19"));
    EXPECT_EQ(form.selection("CB20"), 3);
    EXPECT_EQ(form.radioIndex("RG1"), 1);
    EXPECT_FALSE(form.enabled("RG1Item0")) << "a disabled box disables the items in it";
    EXPECT_EQ(form.text("E3"), "77");
    perform(page, {Action::Click, "CB1"});
    EXPECT_TRUE(form.enabled("CB20"));
    EXPECT_TRUE(form.enabled("RG1Item2"));
    EXPECT_FALSE(form.enabled("E3"));
    perform(page, {Action::Click, "RG1Item2"});
    EXPECT_TRUE(form.enabled("E3"));
    EXPECT_TRUE(form.enabled("UD2"));
    EXPECT_EQ(form.radioIndex("RG1"), 2) << "the items of one box uncheck each other";

    writeFile("tavrix.ini", "[Tavrix]\r\nuse-sound=1\r\nsound-filter-cutoff=22k\r\n");
    built.window.showPage(kGameInfoPage);
    perform(page, {Action::Click, "B12"});
    EXPECT_EQ(built.errors, std::vector<std::string>{"'22k' is not a valid integer value."});
    EXPECT_EQ(built.window.currentPage(), kSoundPage);
    EXPECT_EQ(form.text("E3"), "77") << "the multiplier stays after the error";
}

TEST(Win32Window, GameListShowsTheRowsWithTheirStatusesAndSortsByHeaderClicks) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\n"
                            "[Game-1]\r\nGameName=Bravo\r\nSystemName=Zeta\r\nGameStatus=2\r\n"
                            "[Game-2]\r\nGameName=alpha\r\nSystemName=Alpha\r\nGameStatus=0\r\n"
                            "[Game-3]\r\nGameName=Charlie\r\nSystemName=Mid\r\n");
    Window built;
    GameListView& list = built.window.gameList();
    built.window.start();
    ASSERT_EQ(list.rowCount(), 3);
    const auto order = [&] {
        std::string shown;
        for (int row = 0; row < list.rowCount(); ++row)
            shown += list.textAt(row, 0) + ":" + std::to_string(list.imageAt(row)) + " ";
        return shown;
    };
    const std::string first = order();
    const int selected = list.selectedNumber();
    EXPECT_EQ(selected, list.numberAt(0)) << "the first row is selected after the start";
    NMLISTVIEW click{};
    click.hdr = {built.window.form()["LV0"], static_cast<UINT_PTR>(built.window.form().id("LV0")),
                 static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = list.model.sortColumn;
    SendMessageW(built.window.window(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    const std::string second = order();
    EXPECT_NE(first, second) << "a click on the sort column turns the order round";
    // Whatever the direction, the rows keep their status images and the model's order.
    for (const std::string& shown : {first, second}) {
        EXPECT_NE(shown.find("Bravo:2 "), std::string::npos) << shown;
        EXPECT_NE(shown.find("alpha:0 "), std::string::npos) << shown;
        EXPECT_NE(shown.find("Charlie:4 "), std::string::npos) << shown;
    }
    std::vector<int> numbers;
    for (int row = 0; row < list.rowCount(); ++row) numbers.push_back(list.numberAt(row));
    for (std::size_t row = 1; row < numbers.size(); ++row) {
        const auto bytes = [](int number) { return std::string(number == 1 ? "Bravo" : number == 2 ? "alpha" : "Charlie"); };
        EXPECT_LT(list.model.LV0Compare({bytes(numbers[row - 1]), numbers[row - 1]}, {bytes(numbers[row]), numbers[row]}), 0);
    }
    EXPECT_EQ(list.selectedNumber(), selected) << "the selected row stays selected";
}

TEST(Win32Window, LaunchAndBatchFileCarryTheCommandLineOfThePagesAsTheyStand) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::filesystem::path standIn =
        std::filesystem::path(self).parent_path() / ".." / "platform" / "win32" / "orvo_standin.exe";
    ASSERT_TRUE(std::filesystem::exists(standIn)) << standIn;
    TempDir dir;
    std::filesystem::copy_file(standIn, "orvo.exe");
    // The Qt launch test's settings, database and renderer file, and its command line for game 2.
    writeFile("tavrix.ini",
              "[Tavrix]\r\nroms-directory=.\\my roms\r\n"
              "use-sound=1\r\nsound-filter-enable=1\r\nsound-filter-cutoff=11025\r\n"
              "sound-stereo-exciter=0\r\nsound-surround-lite-enable=1\r\nsound-surround-lite-multiplier=55\r\n"
              "renderer=renderer-d3d.orv\r\nuse-slow-geometry=1\r\nrotate-screen=180\r\n"
              "hide-orvo-console=0\r\nregistry-configuration=0\r\n\r\n"
              "[Game-1]\r\nGameName=Alpha Strike\r\nSystemName=Board A\r\nGameYear=1995\r\nVantrel-plug-in=0\r\n"
              "Rom-1=a.bin:0000ABCD\r\n\r\n"
              "[Game-2]\r\nGameName=Beta Rally\r\nSystemName=Board B\r\nGameYear=1996\r\nRom-1=b.bin:0000BCDE\r\n\r\n");
    writeFile("tavrix-renderer.cfg",
              "; Tavrix\r\n\r\nXSize=800\r\nYSize=600\r\nFullScreen=0\r\nColorDepth=32\r\nScanLines=0\r\n"
              "Filtering=0\r\nBlending=0\r\nDithering=0\r\nShowFPS=0\r\nFrameLimitation=1\r\nFrameSkipping=0\r\n"
              "FramerateDetection=1\r\nFramerateManual=100\r\nTextureType=3\r\nTextureCaching=2\r\nEnableKeys=1\r\n"
              "FastExcel=0\r\n");
    const std::string expected =
        " 2 --sound-filter-enable=yes --sound-filter-cutoff=11025 --sound-surround-lite-enable=yes"
        " --sound-surround-lite-multiplier=55 --use-slow-geometry=yes --renderer=renderer-d3d.orv"
        " --use-renderer-cfg-file=tavrix-renderer.cfg --controller=controller-vantrel.orv"
        " --use-controller-cfg-file=tavrix-controller.cfg --roms-directory=.\\my roms --rotate=2";
    Window built;
    built.window.start();
    HWND list = built.window.form()["LV0"];
    GameListView& games = built.window.gameList();
    for (int row = 0; row < games.rowCount(); ++row)
        if (games.numberAt(row) == 2) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(games.selectedNumber(), 2);
    // The selection fills the Game Info page from its model: the title, the file list.
    Form& info = built.window.page(kGameInfoPage).form();
    EXPECT_EQ(info.text("L1"), "Beta Rally");
    ASSERT_EQ(ListView_GetItemCount(info["LV1"]), 1);
    wchar_t file[64] = L"";
    ListView_GetItemText(info["LV1"], 0, 0, file, 64);
    EXPECT_EQ(narrow(file), "b.bin");
    EXPECT_FALSE(ListView_GetCheckState(info["LV1"], 0)) << "no romset folder, no file found";

    NMHDR doubleClick{list, static_cast<UINT_PTR>(built.window.form().id("LV0")), static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(built.window.window(), WM_NOTIFY, doubleClick.idFrom, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(readFile("orvo-command-line.txt"), expected) << "as built: no program name, no re-quoting";
    EXPECT_TRUE(IsWindowEnabled(built.window.window())) << "the window is back after the emulator's end";

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    NMLVKEYDOWN f11{{list, doubleClick.idFrom, static_cast<UINT>(LVN_KEYDOWN)}, VK_F11, 0};
    SendMessageW(built.window.window(), WM_NOTIFY, f11.hdr.idFrom, reinterpret_cast<LPARAM>(&f11));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(readFile("tavrix.bat"), batchFileContents(expected));
    EXPECT_TRUE(built.errors.empty());
}

TEST(Win32Window, FirstStartShowsTheLanguagePanelUntilOkStoresTheChoice) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nfirst-startup=1\r\n[Game-1]\r\nGameName=Only\r\n");
    Window built;
    LanguagePanel& panel = built.window.languagePanel();
    built.window.start();
    EXPECT_NE(GetWindowLongW(panel.window(), GWL_STYLE) & WS_VISIBLE, 0) << "a first start shows the panel";
    EXPECT_FALSE(panel.form().enabled("B10")) << "OK waits for a language";
    perform(panel, {Action::Click, "RB2"});
    EXPECT_TRUE(panel.form().enabled("B10"));
    perform(panel, {Action::Click, "B10"});
    EXPECT_EQ(GetWindowLongW(panel.window(), GWL_STYLE) & WS_VISIBLE, 0) << "the panel is gone";
    EXPECT_EQ(IniDocument::load("tavrix.ini").readString("Tavrix", "english-version", ""), "1");
    EXPECT_EQ(tabCaption(built.window.form()["PC1"], 0), "Game Info") << "the sequence ran again in English";
    EXPECT_EQ(built.window.gameList().rowCount(), 1);
    EXPECT_TRUE(built.errors.empty());
}

TEST(Win32Window, RescanButtonScansEveryGameAndKeepsTheFilterAsItWas) {
    TempDir dir;
    writeDatabase(kCases);
    writeCaseRomsets();
    Window built;
    built.window.start();
    GameListView& list = built.window.gameList();
    GeneralPage& general = built.window.generalPage();
    built.window.showPage(kGeneralPage);
    // Nothing is playable before the first scan, so the filter empties the list.
    perform(general, {Action::Click, "CB26"});
    ASSERT_EQ(list.rowCount(), 0);

    perform(general, {Action::Click, "B02"});
    const auto stored = IniDocument::load("tavrix.ini");
    for (int game = 1; game <= 4; ++game)
        EXPECT_EQ(stored.readInteger("Game-" + std::to_string(game), "GameStatus", -1),
                  kCaseStatuses[static_cast<std::size_t>(game - 1)]) << game;
    // The filter is back on: the two playable games, with their images, the first selected.
    ASSERT_EQ(list.rowCount(), 2);
    for (int row = 0; row < 2; ++row) EXPECT_EQ(list.imageAt(row), kStatusPlayable) << row;
    EXPECT_TRUE(general.form().checked("CB26"));
    EXPECT_EQ(list.selectedNumber(), list.numberAt(0));
    EXPECT_EQ(built.window.page(kGameInfoPage).form().text("L1"), list.textAt(0, 0));
    EXPECT_EQ(general.form().text("L16"), "Games: 2 from 4");
    EXPECT_EQ(windowText(built.window.window()), "Tavrix");
    EXPECT_TRUE(general.form().enabled("B02"));
    EXPECT_EQ(built.window.currentPage(), kGeneralPage);
    EXPECT_TRUE(built.errors.empty());
}

TEST(Win32Window, JoysticksCompleteACaptureOnTheControlsPageAndAnUnpluggedOneEndsIt) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\n");
    auto source = std::make_shared<FakeJoystickSource>();
    source->attach(0);
    source->attach(1);
    Window built(source);
    ControlsPage& page = built.window.controlsPage();
    built.window.showPage(kControlsPage);
    JoystickPoller& first = built.window.joystick(0).poller();
    JoystickPoller& second = built.window.joystick(1).poller();
    EXPECT_EQ(second.port(), 1);
    EXPECT_EQ(second.interval(), 100);
    EXPECT_FALSE(source->taken[0] || source->taken[1]) << "the ports are free until a capture";

    perform(page, {Action::DoubleClick, "L23"});
    EXPECT_TRUE(source->taken[0] && source->taken[1]) << "a capture starts both joysticks";
    source->state[1].x = 0;  // the second stick pushed left, the first one centred
    first.poll();
    EXPECT_TRUE(page.form().enabled("E4")) << "a centred stick is no input";
    second.poll();
    EXPECT_EQ(page.form().text("L23"), "joy2 왼쪽");
    EXPECT_FALSE(page.form().enabled("E4"));

    const std::string before = page.form().text("L24");
    perform(page, {Action::DoubleClick, "L24"});
    EXPECT_NE(page.form().text("L24"), before);
    source->detach(0);
    first.poll();
    EXPECT_EQ(page.form().text("L24"), before) << "an unplugged stick gives the label its input back";
    EXPECT_FALSE(page.form().enabled("E4"));
    EXPECT_TRUE(built.errors.empty());
}

namespace {

// One pixel of a bitmap, as red, green and blue.
COLORREF pixelOf(HBITMAP picture, int x, int y) {
    BITMAP size{};
    GetObjectW(picture, sizeof size, &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.bmWidth;
    info.bmiHeader.biHeight = -size.bmHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<std::size_t>(size.bmWidth * size.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, picture, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    const DWORD bgr = pixels[static_cast<std::size_t>(y * size.bmWidth + x)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

}  // namespace

TEST(Win32Window, LanguagePanelShowsItsPaintedFlagsAndAClickOnAFlagPicksItsLanguage) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nfirst-startup=1\r\n");
    Window built;
    built.window.start();
    LanguagePanel& panel = built.window.languagePanel();
    Form& form = panel.form();
    auto picture = [&](const char* name) {
        return reinterpret_cast<HBITMAP>(SendMessageW(form[name], STM_GETIMAGE, IMAGE_BITMAP, 0));
    };
    ASSERT_NE(picture("I4"), nullptr);
    // Which colour leads at a few places of each flag: 'r' red, 'b' blue, 'w' white.
    const struct {
        const char* flag;
        int x, y;
        char colour;
    } places[] = {{"I2", 0, 0, 'w'}, {"I2", 16, 7, 'r'}, {"I2", 13, 12, 'b'}, {"I3", 1, 19, 'r'}, {"I3", 17, 6, 'b'}};
    for (const auto& place : places) {
        SCOPED_TRACE(std::string(place.flag) + " " + std::to_string(place.x) + "," + std::to_string(place.y));
        ASSERT_NE(picture(place.flag), nullptr);
        const COLORREF colour = pixelOf(picture(place.flag), place.x, place.y);
        const int red = GetRValue(colour), blue = GetBValue(colour);
        if (place.colour == 'w') {
            EXPECT_EQ(colour, RGB(255, 255, 255));
        } else if (place.colour == 'r') {
            EXPECT_GT(red, blue + 80);
        } else {
            EXPECT_GT(blue, red + 80);
        }
    }
    for (const auto& [flag, english] : {std::pair{"I3", true}, std::pair{"I2", false}}) {
        SendMessageW(panel.window(), WM_COMMAND, MAKEWPARAM(form.id(flag), STN_CLICKED),
                     reinterpret_cast<LPARAM>(form[flag]));
        EXPECT_EQ(form.checked("RB2"), english) << flag;
        EXPECT_EQ(form.checked("RB1"), !english) << flag;
        EXPECT_TRUE(form.enabled("B10"));
    }
    EXPECT_TRUE(built.errors.empty());
}
