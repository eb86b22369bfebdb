// The native window under a real window system (Wine on a virtual display in `make
// test-windows`): the controls its tables make, and the pages driven by window messages as a
// user's clicks and keys arrive, saving what the core models save.
#include "core/layout_rules.h"
#include "fixtures/annotation_recorder.h"
#include "fixtures/fake_joystick_source.h"
#include "fixtures/key_paths.h"
#include "fixtures/window_cases.h"
#include "platform/win32/joystick.h"
#include "platform/win32/taskbar_progress.h"
#include "win32/error_box.h"
#include "win32/main_window.h"

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

// What every window of these tests tells screen readers.
AnnotationRecorder annotated;

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
        // Named for screen readers in the language shown: by the table, by the label that names it
        // or by its own caption.
        EXPECT_EQ(narrow(annotated.names[{control, 0}]), spokenName(layout, desc, english));
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
        {&languagePanelLayout(), &window.page(kLanguagePanel).form()},
    };
    for (bool english : {false, true}) {
        window.showCaptions(english);
        for (const auto& [layout, form] : tables) checkControls(*layout, *form, english);
    }
    // Each tab shows its own page only.
    for (int shown = 0; shown < kPageCount; ++shown) {
        window.model().showPage(shown);
        for (int page = 0; page < kPageCount; ++page)
            EXPECT_EQ((GetWindowLongW(window.page(page).window(), GWL_STYLE) & WS_VISIBLE) != 0, page == shown)
                << shown << " " << page;
    }
    EXPECT_TRUE(built.errors.empty());
}

namespace {

// A key pressed and released where the focus is, as the system sends it: the held modifiers'
// keys first, every message (and the characters it makes) through the window's message loop.
void pressKey(MainWindow& window, int key, KeyModifiers modifiers) {
    BYTE state[256];
    GetKeyboardState(state);
    const auto send = [&](int which, bool down) {
        const bool system = modifiers.alt || which == key::kAlt || which == key::kF10;
        state[which] = down ? 0x80 : 0;
        SetKeyboardState(state);
        const UINT scan = MapVirtualKeyW(static_cast<UINT>(which), MAPVK_VK_TO_VSC);
        const bool altHeld = modifiers.alt || (which == key::kAlt && down);
        const LPARAM bits = 1 | (static_cast<LPARAM>(scan) << 16) | (altHeld ? 1L << 29 : 0) | (down ? 0 : 3L << 30);
        MSG message{GetFocus() != nullptr ? GetFocus() : window.window(),
                    static_cast<UINT>(system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP)),
                    static_cast<WPARAM>(which), bits};
        window.process(message);
        for (MSG made; PeekMessageW(&made, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE);) window.process(made);
    };
    std::vector<int> held;
    if (modifiers.ctrl) held.push_back(VK_CONTROL);
    if (modifiers.shift) held.push_back(VK_SHIFT);
    if (modifiers.alt) held.push_back(VK_MENU);
    for (int modifier : held) send(modifier, true);
    send(key, true);
    send(key, false);
    for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier) send(*modifier, false);
}

// A click where a user's would land: on the topmost shown control at that place of the page
// that does not let clicks through (a group box does).
void clickAt(HWND page, POINT place) {
    HWND target = page;
    POINT onScreen = place;
    ClientToScreen(page, &onScreen);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT area;
        GetWindowRect(child, &area);
        if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) == 0 || !PtInRect(&area, onScreen)) continue;
        if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(onScreen.x, onScreen.y)) == HTTRANSPARENT) continue;
        target = child;
        break;
    }
    POINT at = onScreen;
    ScreenToClient(target, &at);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

// Whether `upper` lies in front of `lower`, a sibling.
bool inFrontOf(HWND upper, HWND lower) {
    for (HWND next = GetWindow(upper, GW_HWNDNEXT); next != nullptr; next = GetWindow(next, GW_HWNDNEXT))
        if (next == lower) return true;
    return false;
}

// The Windows window under the shared table's actions: notifications as the window system
// sends them for a user's clicks, picks, texts and keys.
class NativeWindow : public WindowUnderTest {
public:
    NativeWindow() {
        std::filesystem::copy_file(emulatorStandIn(), "orvo.exe");
        setErrorReporter([this](const std::string& text) {
            built.errors.push_back(text);
            boxOpened();
        });
        built.window.start();
    }

    WindowModel& model() override { return built.window.model(); }

    void perform(const Action& action) override {
        MainWindow& window = built.window;
        const int pageIndex = pageOf(action.control);
        Page& page = window.page(pageIndex);
        HWND list = window.form()["LV0"];
        const auto notifyWindow = [&](NMHDR& header) {
            SendMessageW(window.window(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        };
        const NMHDR fromList{list, static_cast<UINT_PTR>(window.form().id("LV0")), 0};
        HWND control = action.control[0] != '\0' ? page.form().find(action.control) : nullptr;
        switch (action.kind) {
        case Action::Click: {
            ASSERT_TRUE(IsWindowEnabled(control)) << action.control << " is disabled";
            const ControlRow& row = rowOf(action.control);
            const Rect place = page.form().placeOf(action.control);
            if (row.kind == ControlKind::Group) {
                // Between a box's lines; on a panel's margin.
                const int x = row.framed ? 5 : 2, y = row.framed ? 40 : 2;
                clickAt(page.window(), {place.x + x, place.y + y});
            } else if (row.kind == ControlKind::ClickLabel || row.kind == ControlKind::Picture) {
                clickAt(page.window(), {place.x + 2, place.y + 2});
            } else if (row.kind == ControlKind::ListView) {
                // On the row's mark, which selects the row.
                ListView_SetItemState(control, action.value, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
                RECT bounds;
                ListView_GetItemRect(control, action.value, &bounds, LVIR_BOUNDS);
                LVHITTESTINFO hit{{bounds.left, (bounds.top + bounds.bottom) / 2}};
                while (hit.pt.x < bounds.right && (ListView_SubItemHitTest(control, &hit), hit.flags & LVHT_ONITEMSTATEICON) == 0)
                    ++hit.pt.x;
                ASSERT_LT(hit.pt.x, bounds.right) << "no mark in row " << action.value;
                SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
                SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
            } else {
                SendMessageW(control, BM_CLICK, 0, 0);
            }
            break;
        }
        case Action::Pick:
            SendMessageW(control, CB_SETCURSEL, action.value, 0);
            SendMessageW(page.window(), WM_COMMAND, MAKEWPARAM(page.form().id(action.control), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(control));
            break;
        case Action::Type: SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(action.text).c_str())); break;
        case Action::Step: {
            NMUPDOWN step{};
            step.hdr = {control, static_cast<UINT_PTR>(page.form().id(action.control)), static_cast<UINT>(UDN_DELTAPOS)};
            step.iDelta = action.value;
            SendMessageW(page.window(), WM_NOTIFY, step.hdr.idFrom, reinterpret_cast<LPARAM>(&step));
            break;
        }
        case Action::DoubleClick:
            SendMessageW(page.window(), WM_COMMAND, MAKEWPARAM(page.form().id(action.control), STN_DBLCLK),
                         reinterpret_cast<LPARAM>(control));
            break;
        case Action::Key:
            ASSERT_TRUE(IsWindowEnabled(control)) << action.control << " takes no key";
            SendMessageW(control, WM_KEYDOWN, action.value, 1);
            break;
        case Action::Tab: {
            TabCtrl_SetCurSel(window.form()["PC1"], action.value);
            NMHDR change{window.form()["PC1"], static_cast<UINT_PTR>(window.form().id("PC1")), static_cast<UINT>(TCN_SELCHANGE)};
            notifyWindow(change);
            break;
        }
        case Action::Select:
            for (int row = 0; row < window.gameList().rowCount(); ++row)
                if (window.gameList().numberAt(row) == action.value) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
            break;
        case Action::Header: {
            NMLISTVIEW click{};
            click.hdr = fromList;
            click.hdr.code = static_cast<UINT>(LVN_COLUMNCLICK);
            click.iSubItem = action.value;
            notifyWindow(click.hdr);
            break;
        }
        case Action::Launch: {
            NMHDR doubleClick = fromList;
            doubleClick.code = static_cast<UINT>(NM_DBLCLK);
            notifyWindow(doubleClick);
            break;
        }
        case Action::Press:
            SetFocus(control != nullptr ? control : window.form()[action.control]);
            pressKey(window, action.value, modifiersOf(action.text));
            break;
        case Action::BatchKey: {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            SetKeyboardState(keys);
            NMLVKEYDOWN f11{fromList, VK_F11, 0};
            f11.hdr.code = static_cast<UINT>(LVN_KEYDOWN);
            notifyWindow(f11.hdr);
            keys[VK_CONTROL] = 0;
            SetKeyboardState(keys);
            break;
        }
        case Action::Escape: escape(action.value); break;
        }
    }

    // The key as the system posts it: to the control with the focus, or to the active window
    // when none has it (all locked).
    void pressEscape() override {
        HWND focus = GetFocus();
        PostMessageW(focus != nullptr ? focus : built.window.window(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        runEvents();
    }
    void runEvents() override { built.window.handlePendingMessages(); }

    std::string shown(const ControlField& field) override {
        Form& form = built.window.page(pageOf(field.control)).form();
        if (field.checked != nullptr) return form.checked(field.control) ? "1" : "0";
        if (field.selection != nullptr)
            return std::to_string(rowOf(field.control).kind == ControlKind::Group ? form.radioIndex(field.control)
                                                                                 : form.selection(field.control));
        return form.text(field.control);
    }
    bool enabled(const char* control) override {
        MainWindow& window = built.window;
        const std::string_view name = control;
        // The window's own controls: PC1 takes input while the tabs or any control on its
        // pages does.
        const auto anyEnabled = [](Form& form) {
            for (const ControlRow& row : form.layout().controls)
                if (form.enabled(row.name)) return true;
            return false;
        };
        if (name == "LV0") return IsWindowEnabled(window.form()["LV0"]) != 0;
        if (name == "P2") return anyEnabled(window.page(kLanguagePanel).form());
        if (name == "PC1") {
            bool any = IsWindowEnabled(window.form()["PC1"]) != 0;
            for (int page = 0; page < kPageCount; ++page) any = any || anyEnabled(window.page(page).form());
            return any;
        }
        return window.page(pageOf(control)).form().enabled(control);
    }
    std::string view() override {
        GameListView& list = built.window.gameList();
        std::string out = "list";
        for (int row = 0; row < list.rowCount(); ++row)
            out += " " + std::to_string(list.numberAt(row)) + ":" + std::to_string(list.imageAt(row));
        HWND header = ListView_GetHeader(built.window.form()["LV0"]);
        out += ", selected " + std::to_string(list.selectedNumber()) + ", columns " +
               std::to_string(Header_GetItemCount(header));
        for (int column = 0; column < Header_GetItemCount(header); ++column) {
            HDITEMW item{};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
            out += " " + std::to_string((item.fmt & HDF_IMAGE) != 0 ? item.iImage : -1);
        }
        RECT client;
        GetClientRect(built.window.window(), &client);
        return out + ", width " + std::to_string(client.right) + ", " + gameInfoView();
    }
    // The picture panel P1 and its picture against every control of the romset view.
    std::string gameInfoView() {
        Form& form = built.window.page(kGameInfoPage).form();
        const auto shown = [&](const char* name) { return (GetWindowLongW(form[name], GWL_STYLE) & WS_VISIBLE) != 0; };
        bool romsetShown = true, romsetCovered = true;
        for (const char* name : {"GB1", "L12", "L3", "L10", "L4", "L11", "L5", "LV1"}) {
            romsetShown = romsetShown && shown(name);
            romsetCovered = romsetCovered && (!shown(name) || inFrontOf(form["P1"], form[name]));
        }
        if (shown("P1") && shown("I1") && inFrontOf(form["I1"], form["P1"]) && romsetCovered) return "snapshot";
        return !shown("P1") && romsetShown ? "files" : "both";
    }
    std::string fileRows() override {
        Form& form = built.window.page(kGameInfoPage).form();
        std::string out;
        for (const char* name : {"LV1", "LV2"}) {
            HWND rows = form[name];
            for (int row = 0; row < ListView_GetItemCount(rows); ++row) {
                wchar_t file[256] = L"", signature[64] = L"";
                ListView_GetItemText(rows, row, 0, file, 256);
                ListView_GetItemText(rows, row, 1, signature, 64);
                out += narrow(file) + " " + narrow(signature) +
                       (name[2] == '1' && ListView_GetCheckState(rows, row) ? " [x]\n" : "\n");
            }
        }
        return out;
    }
    std::string listItems(const char* control) override {
        HWND list = built.window.page(kVideoPage).form()[control];
        std::string out;
        for (int item = 0; item < SendMessageW(list, CB_GETCOUNT, 0, 0); ++item) out += comboItem(list, item) + ";";
        return out;
    }
    int currentPage() override { return built.window.currentPage(); }
    std::string caption() override { return windowText(built.window.window()); }
    std::vector<std::string> errors() override { return built.errors; }
    std::vector<std::string> started() override {
        if (!std::filesystem::exists("orvo-command-line.txt")) return {};
        return {readFile("orvo-command-line.txt")};
    }

private:
    static std::filesystem::path emulatorStandIn() {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        return std::filesystem::path(self).parent_path() / ".." / "platform" / "win32" / "orvo_standin.exe";
    }

    Window built;
};

}  // namespace

TEST(Win32Window, EveryActionOfTheSharedTableLeavesWhatTheModelDecides) {
    for (const WindowCase& c : windowCases()) expectTheModelsResult(c, [] { return std::make_unique<NativeWindow>(); });
}

namespace {

// The taskbar button's progress as the window sets it.
struct RecordedTaskbar : TaskbarProgress {
    explicit RecordedTaskbar(std::vector<std::pair<int, int>>& shown) : shown(shown) {}
    void show(HWND, int done, int total) override { shown.emplace_back(done, total); }
    std::vector<std::pair<int, int>>& shown;
};

}  // namespace

TEST(Win32Window, TheTaskbarButtonFollowsTheScanAndACloseWaitsForItsEnd) {
    TempDir dir;
    writeRepeatedCases(60);
    Window built;
    MainWindow& window = built.window;
    std::vector<std::pair<int, int>> shown;
    window.setTaskbarProgress(std::make_unique<RecordedTaskbar>(shown));
    window.start();
    // At each box the button shows what the caption does; at the second the user closes the
    // window, which stays until the scan has written the statuses of the games applied.
    std::vector<bool> captionAndButtonAgree;
    setErrorReporter([&](const std::string&) {
        captionAndButtonAgree.push_back(windowText(window.window()) ==
                                        scanProgressCaption(shown.back().first, shown.back().second, true));
        if (captionAndButtonAgree.size() == 2) {
            PostMessageW(window.window(), WM_CLOSE, 0, 0);
            window.handlePendingMessages();
        }
    });
    window.model().scanRomsets();
    EXPECT_EQ(captionAndButtonAgree, std::vector<bool>(2, true));
    EXPECT_EQ(shown.front(), std::make_pair(0, 60));
    EXPECT_EQ(shown.back(), std::make_pair(0, 0));
    EXPECT_EQ(IniDocument::load("tavrix.ini").readInteger("Game-6", "GameStatus", -1), 2);
    EXPECT_EQ(IniDocument::load("tavrix.ini").readInteger("Game-7", "GameStatus", -1), -1);
    EXPECT_TRUE(IsWindow(window.window()));
    window.handlePendingMessages();
    EXPECT_FALSE(IsWindow(window.window())) << "closed once the scan has ended";
}

TEST(Win32Window, JoysticksCompleteACaptureOnTheControlsPageAndAnUnpluggedOneEndsIt) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\n");
    auto source = std::make_shared<FakeJoystickSource>();
    source->attach(0);
    source->attach(1);
    Window built(source);
    Page& page = built.window.page(kControlsPage);
    built.window.model().showPage(kControlsPage);
    JoystickPoller& first = built.window.joystick(0).poller();
    JoystickPoller& second = built.window.joystick(1).poller();
    EXPECT_EQ(second.port(), 1);
    EXPECT_EQ(second.interval(), 100);
    EXPECT_FALSE(source->taken[0] || source->taken[1]) << "the ports are free until a capture";

    const auto doubleClick = [&](const char* label) {
        SendMessageW(page.window(), WM_COMMAND, MAKEWPARAM(page.form().id(label), STN_DBLCLK),
                     reinterpret_cast<LPARAM>(page.form()[label]));
    };
    doubleClick("L23");
    EXPECT_TRUE(source->taken[0] && source->taken[1]) << "a capture starts both joysticks";
    source->state[1].x = 0;  // the second stick pushed left, the first one centred
    first.poll();
    EXPECT_TRUE(page.form().enabled("E4")) << "a centred stick is no input";
    second.poll();
    EXPECT_EQ(page.form().text("L23"), "joy2 왼쪽");
    EXPECT_FALSE(page.form().enabled("E4"));

    const std::string before = page.form().text("L24");
    doubleClick("L24");
    EXPECT_NE(page.form().text("L24"), before);
    source->detach(0);
    first.poll();
    EXPECT_EQ(page.form().text("L24"), before) << "an unplugged stick gives the label its input back";
    EXPECT_FALSE(page.form().enabled("E4"));
    EXPECT_TRUE(built.errors.empty());
}

TEST(Win32Window, ListColumnsKeepTheirOrderAndTheTablesMinimumWidths) {
    Window built;
    ShowWindow(built.window.window(), SW_SHOWNOACTIVATE);
    const struct {
        HWND list;
        int minimum;
    } lists[] = {{built.window.form()["LV0"], 250}, {built.window.page(kGameInfoPage).form()["LV1"], 100}};
    for (const auto& [list, minimum] : lists) {
        SCOPED_TRACE(minimum);
        HWND header = ListView_GetHeader(list);
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & LVS_EX_HEADERDRAGDROP, 0u);
        // A header dragged past the next one stays where it is.
        if (Header_GetItemCount(header) > 1) {
            const int width = ListView_GetColumnWidth(list, 0), past = width + ListView_GetColumnWidth(list, 1);
            SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(width / 2, 5));
            for (int x = width / 2; x <= past; x += 10) SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 5));
            SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(past, 5));
            int order[2] = {-1, -1};
            ListView_GetColumnOrderArray(list, 2, order);
            EXPECT_EQ(order[0], 0);
        }
        // The first column's divider dragged by the mouse, wider and then far too narrow; then
        // a width set by the program.
        const auto drag = [&](int to) {
            const int from = ListView_GetColumnWidth(list, 0);
            SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 5));
            SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 5));
            SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(to, 5));
            return ListView_GetColumnWidth(list, 0);
        };
        EXPECT_EQ(drag(minimum + 20), minimum + 20);
        EXPECT_EQ(drag(10), minimum);
        ListView_SetColumnWidth(list, 0, 30);
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), minimum);
    }
    EXPECT_TRUE(built.errors.empty());
}

// The list holds no rows of its own, yet typing in it still finds a game by its title's first
// letters, in any letter case; letters no title begins with select nothing new.
TEST(Win32Window, TypingInTheListSelectsTheGameWhoseTitleBeginsWithTheLetters) {
    TempDir dir;
    writeDatabase({{"Bravo", "b", "none", "none", {1}}, {"alpha", "a", "none", "none", {2}},
                   {"Charlie", "c", "none", "none", {3}}, {"Chalk", "k", "none", "none", {4}}});
    Window built;
    built.window.start();
    HWND list = built.window.form()["LV0"];
    const auto gameAt = [&built](int row) { return built.window.gameList().numberAt(row); };
    // A letter typed selects the game whose title begins with it, in any letter case.
    SetFocus(list);
    SendMessageW(list, WM_CHAR, L'B', 1);
    EXPECT_EQ(gameAt(ListView_GetNextItem(list, -1, LVNI_SELECTED)), 1);
    EXPECT_EQ(built.window.model().gameInfo.title, "Bravo");
    // Longer searches, from a given row and round the end; letters no title begins with.
    const struct {
        const wchar_t* typed;
        int start;
        int found;  // the game, 0 for none
    } searches[] = {{L"CHAR", -1, 3}, {L"b", 3, 1}, {L"ALPHA", 1, 2}, {L"chalky", -1, 0}, {L"z", 0, 0}};
    for (const auto& [typed, start, found] : searches) {
        LVFINDINFOW find{};
        find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
        find.psz = typed;
        EXPECT_EQ(gameAt(ListView_FindItem(list, start, &find)), found);
    }
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

TEST(Win32Window, LanguagePanelShowsItsPaintedFlags) {
    TempDir dir;
    writeFile("tavrix.ini", "[Tavrix]\r\nfirst-startup=1\r\n");
    Window built;
    built.window.start();
    Page& panel = built.window.page(kLanguagePanel);
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
    EXPECT_TRUE(built.errors.empty());
}

namespace {

// The control with the focus, by its table name.
std::string focusedControl(MainWindow& window) {
    const HWND focus = GetFocus();
    if (const char* name = window.form().nameOf(focus)) return name;
    for (int page = 0; page <= kLanguagePanel; ++page)
        if (const char* name = window.page(page).form().nameOf(focus)) return name;
    return "none";
}

BOOL CALLBACK closeIfBox(HWND window, LPARAM) {
    wchar_t type[16] = L"";
    GetClassNameW(window, type, 16);
    if (std::wstring_view(type) == L"#32770" && IsWindowVisible(window)) PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Closes the thread's message boxes as soon as they wait for the user.
void CALLBACK closeBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &closeIfBox, 0);
}

// Counts the times the window would enter its menu by keys, which it then does not.
LRESULT CALLBACK countMenus(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        ++*reinterpret_cast<int*>(count);
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

TEST(Win32Window, KeyboardPathsPutTheFocusWhereTheSharedTableSays) {
    const UINT_PTR closer = SetTimer(nullptr, 0, 0, &closeBoxes);
    for (const KeyPath& path : keyPaths()) {
        SCOPED_TRACE(path.name);
        TempDir dir;
        path.prepare();
        Window built;
        setErrorReporter({});  // real boxes
        MainWindow& window = built.window;
        int menus = 0;
        SetWindowSubclass(window.window(), &countMenus, 1, reinterpret_cast<DWORD_PTR>(&menus));
        ShowWindow(window.window(), SW_SHOW);
        SetForegroundWindow(window.window());
        window.start();
        for (const KeyStep& step : path.steps) {
            SCOPED_TRACE(std::string(step.focusFirst) + " " + std::to_string(step.key) + " " + step.modifiers);
            if (*step.focusFirst != '\0') SetFocus(window.page(pageOf(step.focusFirst)).form()[step.focusFirst]);
            pressKey(window, step.key, modifiersOf(step.modifiers));
            EXPECT_EQ(focusedControl(window), step.focus);
            EXPECT_EQ(window.currentPage(), step.page);
        }
        EXPECT_EQ(menus, 0) << "a captured Alt or F10 opens no menu";
        // Alt on the list does.
        SetFocus(window.form()["LV0"]);
        pressKey(window, key::kAlt, {});
        EXPECT_EQ(menus, 1);
        RemoveWindowSubclass(window.window(), &countMenus, 1);
    }
    KillTimer(nullptr, closer);
}
