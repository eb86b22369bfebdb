#include "app/video_page.h"

#include "app/main_window.h"
#include "app/up_down.h"
#include "core/emulator_contract.h"
#include "core/error.h"
#include "core/file_io.h"
#include "core/hardware_renderer_config.h"
#include "core/ini_document.h"
#include "core/ini_document_cache.h"
#include "core/settings.h"
#include "core/software_renderer_config.h"
#include "core/text.h"
#include "platform/renderer_plugin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <utility>

using namespace tavrix;

namespace {

constexpr int kGameInfoPage = 0;
constexpr int kVideoPage = 2;

// Resolution entries on which the emulator cannot run full screen.
constexpr int k512x240 = 2;
constexpr int k1024x480 = 6;
constexpr int kYes = 1;       // "no"/"yes" lists
constexpr int k32Bit = 1;
constexpr int k16Bit = 0;

// The run-time items of the scan-line and blending lists.
constexpr Tr kNone{"없음", "none"};
constexpr Tr kYesItem{"예", "yes"};
constexpr Tr kBlack{"검정", "black"};
constexpr Tr kBright{"밝게", "bright"};
constexpr Tr kLevel1{"레벨 1", "level 1"};
constexpr Tr kLevel2{"레벨 2", "level 2"};

// The control's own enabled flag, whatever its parents' state.
bool ownEnabled(const QWidget* widget) {
    return !widget->testAttribute(Qt::WA_ForceDisabled);
}

// Selects an item by index; an index outside the list leaves it without a selection.
void select(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

VideoPage::VideoPage(TF1* owner) : Page(owner, "TS3") {
    CreateWidgets();
    ConnectWidgets();
}

VideoPage::~VideoPage() = default;

void VideoPage::CreateWidgets() {
    GB3 = new QGroupBox(this);
    GB3->setObjectName(QStringLiteral("GB3"));
    GB3->setGeometry(6, 2, 332, 308);
    book.title(GB3, {" 비디오 ", " Video "});

    // Eleven rows: a label, a list and a control on the right.
    auto rowTop = [](int row) { return 16 + row * 26; };
    auto label = [&](QLabel*& target, const char* name, int row, Tr caption) {
        target = new QLabel(GB3);
        target->setObjectName(QString::fromLatin1(name));
        target->setGeometry(8, rowTop(row) + 3, 94, 16);
        book.text(target, caption);
    };
    auto list = [&](QComboBox*& target, const char* name, int row) {
        target = new QComboBox(GB3);
        target->setObjectName(QString::fromLatin1(name));
        target->setGeometry(100, rowTop(row), 84, 21);
    };
    auto check = [&](QCheckBox*& target, const char* name, int row, Tr caption) {
        target = new QCheckBox(GB3);
        target->setObjectName(QString::fromLatin1(name));
        target->setGeometry(190, rowTop(row) + 1, 140, 19);
        book.text(target, caption);
    };

    label(L50, "L50", 0, {"3D 인터페이스:", "3D interface:"});
    list(CB18, "CB18", 0);
    CB18->addItems({"Software", "Direct3D", "OpenGL"});  // the same in both languages
    CB18->setCurrentIndex(static_cast<int>(RendererKind::OpenGL));
    check(CB2, "CB2", 0, {"화면 늘이기", "Stretching"});
    CB2->setChecked(true);
    CB2->setEnabled(false);

    label(L51, "L51", 1, {"해상도:", "Resolution:"});
    list(CB3, "CB3", 1);
    for (const Resolution& size : kResolutions)
        CB3->addItem(QStringLiteral("%1x%2").arg(size.width).arg(size.height));
    CB3->setMaxVisibleItems(kResolutionCount);
    CB3->setCurrentIndex(5);
    check(CB4, "CB4", 1, {"전체 화면 모드", "Fullscreen mode"});

    label(L52, "L52", 2, {"색 깊이:", "Color depth:"});
    list(CB5, "CB5", 2);
    book.items(CB5, {{"16비트", "16 bit"}, {"32비트", "32 bit"}});
    CB5->setCurrentIndex(k32Bit);
    check(CB9, "CB9", 2, {"디더링", "Dithering"});
    CB9->setEnabled(false);

    label(L53, "L53", 3, {"스캔라인:", "Scanlines:"});
    list(CB6, "CB6", 3);
    // Until the renderer rule builds the real list for the chosen renderer.
    CB6->addItems({tr2({"아니요", "no"}), tr2(kYesItem)});
    CB6->setCurrentIndex(0);

    label(L54, "L54", 4, {"텍스처 필터링:", "Texture filtering:"});
    list(CB7, "CB7", 4);
    book.items(CB7, {kNone, kLevel1, kLevel2, {"레벨 3", "level 3"}});
    CB7->setCurrentIndex(0);
    check(CB17, "CB17", 4, {"느린 지오메트리", "Slow geometry"});
    CB17->setChecked(true);

    label(L56, "L56", 5, {"블렌딩:", "Blending:"});
    list(CB10, "CB10", 5);
    CB10->addItems({tr2({"아니요", "no"}), tr2(kYesItem)});
    CB10->setCurrentIndex(0);
    check(CB28, "CB28", 5, {"FPS 표시", "Show FPS"});

    label(L57, "L57", 6, {"프레임 제한:", "Frame limit:"});
    list(CB11, "CB11", 6);
    book.items(CB11, {{"아니요", "no"}, kYesItem});
    CB11->setCurrentIndex(kYes);
    check(CB12, "CB12", 6, {"프레임 건너뛰기", "Frame skip"});

    label(L58, "L58", 7, {"자동 프레임 속도:", "Auto framerate:"});
    list(CB13, "CB13", 7);
    book.items(CB13, {{"아니요", "no"}, kYesItem});
    CB13->setCurrentIndex(kYes);
    E2 = new QLineEdit(GB3);
    E2->setObjectName(QStringLiteral("E2"));
    E2->setGeometry(190, rowTop(7), 44, 21);
    E2->setText(QStringLiteral("100"));
    E2->setEnabled(false);
    UD1 = new UpDown(E2, GB3);
    UD1->setObjectName(QStringLiteral("UD1"));
    UD1->setGeometry(234, rowTop(7), 16, 21);
    UD1->setRange(0, 1000);
    UD1->setPosition(100);
    UD1->setEnabled(false);
    L14 = new QLabel(GB3);
    L14->setObjectName(QStringLiteral("L14"));
    L14->setGeometry(256, rowTop(7) + 3, 72, 16);
    book.text(L14, {"프레임", "frames"});
    L14->setEnabled(false);
    L14->setBuddy(E2);
    book.accessibleName(UD1->upButton(), {"프레임 올리기", "Frames up"});
    book.accessibleName(UD1->downButton(), {"프레임 내리기", "Frames down"});

    label(L59, "L59", 8, {"텍스처 형식:", "Texture type:"});
    list(CB14, "CB14", 8);
    book.items(CB14, {{"기본값", "default"}, {"4비트", "4 bit"}, {"5비트", "5 bit"}, {"8비트", "8 bit"}});
    CB14->setCurrentIndex(3);
    check(CB16, "CB16", 8, {"렌더러 단축키", "Renderer keys"});
    CB16->setChecked(true);

    label(L60, "L60", 9, {"텍스처 캐싱:", "Texture caching:"});
    list(CB15, "CB15", 9);
    book.items(CB15, {{"0", "0"}, {"1", "1"}, {"2", "2"}, {"3 (위험)", "3 (risky)"}});
    CB15->setCurrentIndex(2);
    check(CB29, "CB29", 9, {"콘솔 숨기기", "Hide console"});

    label(L55, "L55", 10, {"화면 회전:", "Rotate screen:"});
    list(CB8, "CB8", 10);
    CB8->addItems({QStringLiteral("0°"), QStringLiteral("90°"), QStringLiteral("180°"), QStringLiteral("270°")});
    CB8->setCurrentIndex(0);
    check(CB22, "CB22", 10, {"레지스트리 설정 사용", "Use registry settings"});

    B14 = new QPushButton(this);
    B14->setObjectName(QStringLiteral("B14"));
    B14->setGeometry(6, 320, 166, 25);
    book.text(B14, {"고급 레지스트리 설정", "Advanced registry settings"});
    B14->hide();

    B09 = new QPushButton(this);
    B09->setObjectName(QStringLiteral("B09"));
    B09->setGeometry(180, 320, 75, 25);
    book.text(B09, {"저장", "Save"});

    B06 = new QPushButton(this);
    B06->setObjectName(QStringLiteral("B06"));
    B06->setGeometry(262, 320, 75, 25);
    book.text(B06, {"취소", "Cancel"});

    // Each list is spoken by the label of its row.
    const std::pair<QLabel*, QComboBox*> rows[] = {{L50, CB18}, {L51, CB3},  {L52, CB5},  {L53, CB6},
                                                   {L54, CB7},  {L56, CB10}, {L57, CB11}, {L58, CB13},
                                                   {L59, CB14}, {L60, CB15}, {L55, CB8}};
    for (const auto& [caption, list] : rows) caption->setBuddy(list);
}

void VideoPage::ConnectWidgets() {
    // Lists run their change handlers only for the user's picks; selections made by the
    // program run none. The registry check box runs its handler for every change of state.
    connect(CB18, &QComboBox::activated, this, [this] { CB18Change(); });
    connect(CB3, &QComboBox::activated, this, [this] { CB3Change(); });
    connect(CB13, &QComboBox::activated, this, [this] { CB13Change(); });
    connect(CB5, &QComboBox::activated, this, [this] { CB5Change(); });
    connect(CB22, &QCheckBox::toggled, this, [this] { CB22Click(); });
    connect(B09, &QPushButton::clicked, this, [this] { B09Click(); });
    connect(B06, &QPushButton::clicked, this, [this] { B06Click(); });
    connect(B14, &QPushButton::clicked, this, [this] { B14Click(); });
}

RendererKind VideoPage::rendererKind() const {
    switch (CB18->currentIndex()) {
        case 0: return RendererKind::Software;
        case 1: return RendererKind::Direct3D;
        default: return RendererKind::OpenGL;
    }
}

// Renderer rule: the lists and the forced values that belong to the chosen renderer.
void VideoPage::CB18Change() {
    const RendererKind kind = rendererKind();
    const bool software = kind == RendererKind::Software;

    int blending = CB10->currentIndex();
    CB10->clear();
    CB10->addItem(tr2(kNone));
    if (kind == RendererKind::Direct3D) {
        CB10->addItems({tr2(kLevel1), tr2(kLevel2)});
    } else {
        CB10->addItem(tr2(kYesItem));
        if (blending == 2) blending = 1;
    }
    CB10->setCurrentIndex(blending);

    int scanLines = CB6->currentIndex();
    CB6->clear();
    CB6->addItem(tr2(kNone));

    if (!software) {
        CB6->addItems({tr2(kBlack), tr2(kBright)});
        CB2->setChecked(true);
        CB2->setEnabled(false);
        CB7->setEnabled(true);
        CB22->setChecked(false);  // runs the registry-settings rule when it was checked
        CB22->setEnabled(false);
    } else {
        CB6->addItem(tr2(kYesItem));
        CB2->setEnabled(true);
        CB5->setCurrentIndex(k32Bit);
        CB7->setCurrentIndex(0);
        CB7->setEnabled(false);
        CB14->setCurrentIndex(0);
        CB15->setCurrentIndex(0);
        CB10->setCurrentIndex(0);
        CB16->setChecked(true);
        CB8->setCurrentIndex(0);
        CB22->setEnabled(true);
        if (scanLines == 2) scanLines = 1;
    }

    const bool textureControls = ownEnabled(CB7);
    for (QWidget* control : std::initializer_list<QWidget*>{CB5, L52, L54, CB14, L59, CB15, L60, CB10, L56,
                                                             CB16, CB8, L55})
        control->setEnabled(textureControls);

    CB6->setCurrentIndex(scanLines);
}

// Registry-settings rule: with the software renderer's own settings, the screen and frame
// controls are not used.
void VideoPage::CB22Click() {
    if (CB22->isChecked()) {
        B14->show();
        CB2->setEnabled(false);
        CB3->setEnabled(false);
    } else {
        if (rendererKind() == RendererKind::Software) CB2->setEnabled(true);
        B14->hide();
        CB3->setEnabled(true);
    }
    const bool screenControls = ownEnabled(CB3);
    for (QWidget* control : std::initializer_list<QWidget*>{CB4, CB6, CB9, CB11, CB12, CB13, CB28, L14, L51,
                                                             L53, L57, L58, UD1, E2})
        control->setEnabled(screenControls);
    CB3Change();
    CB13Change();
}

// Resolution rule: no full screen at 512x240 and 1024x480.
void VideoPage::CB3Change() {
    const int resolution = CB3->currentIndex();
    if (resolution == k512x240 || resolution == k1024x480) {
        CB4->setChecked(false);
        CB4->setEnabled(false);
    } else if (!CB22->isChecked()) {
        CB4->setEnabled(true);
    }
}

// Frame-rate rule: the frame-rate box only while the frame rate is not detected.
void VideoPage::CB13Change() {
    if (CB13->currentIndex() == kYes) {
        E2->setEnabled(false);
        UD1->setEnabled(false);
        L14->setEnabled(false);
    } else if (!CB22->isChecked()) {
        E2->setEnabled(true);
        UD1->setEnabled(true);
        L14->setEnabled(true);
    }
}

// Dithering rule: dithering only at 16 bit; the check state stays.
void VideoPage::CB5Change() {
    if (CB5->currentIndex() == k32Bit)
        CB9->setEnabled(false);
    else if (CB5->currentIndex() == k16Bit)
        CB9->setEnabled(true);
}

VideoSettings VideoPage::settings() const {
    VideoSettings s;
    s.renderer = rendererKind();
    s.resolution = CB3->currentIndex();
    s.fullScreen = CB4->isChecked();
    s.stretching = CB2->isChecked();
    s.colorDepth = CB5->currentIndex();
    s.dithering = CB9->isChecked();
    s.ditheringEnabled = ownEnabled(CB9);
    s.scanLines = CB6->currentIndex();
    s.filtering = CB7->currentIndex();
    s.slowGeometry = CB17->isChecked();
    s.blending = CB10->currentIndex();
    s.showFps = CB28->isChecked();
    s.frameLimit = CB11->currentIndex();
    s.frameSkip = CB12->isChecked();
    s.autoFramerate = CB13->currentIndex();
    s.frameRate = storedFrameRate.bytesFor(E2->text().toStdString());
    s.textureType = CB14->currentIndex();
    s.rendererKeys = CB16->isChecked();
    s.textureCaching = CB15->currentIndex();
    s.hideConsole = CB29->isChecked();
    s.rotation = CB8->currentIndex();
    s.registrySettings = CB22->isChecked();
    return s;
}

void VideoPage::WriteVideoSettings(bool hardware) {
    VideoSettings values = settings();
    if (pendingRegistrySettings) values.registrySettings = *pendingRegistrySettings;
    if (hardware)
        saveHardwareRendererConfig(values);
    else
        saveSoftwareRendererConfig(values);
    IniDocument document = IniDocument::load(kSettingsFileName);
    writeVideoKeys(document, values);
    document.save(kSettingsFileName);
}

void VideoPage::applyUpdate(const VideoSettingsUpdate& u, bool rendererRuleAfterFiltering) {
    if (u.resolution) select(CB3, *u.resolution);
    if (u.fullScreen) CB4->setChecked(*u.fullScreen);
    if (u.colorDepth) select(CB5, *u.colorDepth);
    if (u.stretching) CB2->setChecked(*u.stretching);
    if (u.scanLines) select(CB6, *u.scanLines);
    if (u.filtering) select(CB7, *u.filtering);
    if (rendererRuleAfterFiltering) CB18Change();
    if (u.blending) select(CB10, *u.blending);
    if (u.dithering) CB9->setChecked(*u.dithering);
    if (u.showFps) CB28->setChecked(*u.showFps);
    if (u.frameLimit) select(CB11, *u.frameLimit);
    if (u.frameSkip) CB12->setChecked(*u.frameSkip);
    if (u.autoFramerate) {
        select(CB13, *u.autoFramerate);
        const bool typed = CB13->currentIndex() != kYes;
        E2->setEnabled(typed);
        UD1->setEnabled(typed);
        L14->setEnabled(typed);
    }
    if (u.frameRate) {
        storedFrameRate = KeptText(*u.frameRate);
        E2->setText(QString::fromStdString(storedFrameRate.shown()));
    }
    if (u.textureType) select(CB14, *u.textureType);
    if (u.textureCaching) select(CB15, *u.textureCaching);
    if (u.rendererKeys) CB16->setChecked(*u.rendererKeys);
    if (u.rotation) select(CB8, *u.rotation);
    if (u.hideConsole) CB29->setChecked(*u.hideConsole);
}

void VideoPage::readSoftwareRendererFile() {
    const auto bytes = readWholeFile(emulator::kSoftwareRendererConfigFile);
    const SoftwareConfigRead read = readSoftwareRendererConfig(bytes.value_or(std::string()));
    applyUpdate(read.update, false);
    // What was set before a size that is no number stays; the rest of the load is skipped.
    if (read.error) throw Error(*read.error);
    if (read.sectionMissing) WriteVideoSettings(false);
}

void VideoPage::readHardwareRendererFile() {
    const auto bytes = readWholeFile(emulator::kHardwareRendererConfigFile);
    const HardwareConfigRead read = readHardwareRendererConfig(bytes.value_or(std::string()));
    applyUpdate(read.update, read.rendererRuleReached);
    if (read.failed) {
        // A missing or damaged file silently gives the defaults and a new file.
        applyUpdate(hardwareRendererDefaults(), false);
        WriteVideoSettings(true);
    }
}

void VideoPage::ReadVideoSettings() {
    bool registrySettings = false;
    if (const auto keys = readVideoKeys(*IniDocumentCache::shared().load(kSettingsFileName))) {
        if (keys->renderer) CB18->setCurrentIndex(static_cast<int>(*keys->renderer));
        CB18Change();
        CB17->setChecked(keys->slowGeometry);
        select(CB8, keys->rotation);
        CB29->setChecked(keys->hideConsole);
        registrySettings = keys->registrySettings;
    }
    // The software renderer's own settings exist only for it: with Direct3D or OpenGL the
    // flag reads as off, so the renderer file stays on the launch command.
    registrySettings = registrySettings && rendererKind() == RendererKind::Software;

    // A renderer file that is missing or damaged writes the defaults and the page's keys;
    // the registry flag just read goes with them rather than CB22's state before it is set.
    pendingRegistrySettings = registrySettings;
    struct ForgetPending {
        std::optional<bool>& pending;
        ~ForgetPending() { pending.reset(); }
    } forgetPending{pendingRegistrySettings};
    if (rendererKind() == RendererKind::Software)
        readSoftwareRendererFile();
    else
        readHardwareRendererFile();

    CB22->setChecked(registrySettings);
    CB22Click();
    CB3Change();
    CB13Change();
}

void VideoPage::B09Click() {
    WriteVideoSettings(rendererKind() != RendererKind::Software);
    form->showPage(kGameInfoPage);
}

void VideoPage::B06Click() {
    form->showPage(kVideoPage);
    ReadVideoSettings();
}

void VideoPage::B14Click() {
    if (!rendererDialog)
        rendererDialog = std::make_unique<platform::SoftwareRendererDialog>(
            QString::fromLatin1(emulator::kSoftwareRendererPlugin));
    // The plug-in's dialog runs on this thread; the window takes no input meanwhile and is
    // enabled again however the call ends.
    form->setEnabled(false);
    struct EnableAgain {
        TF1* window;
        ~EnableAgain() { window->setEnabled(true); }
    } enableAgain{form};
    rendererDialog->run();
}
