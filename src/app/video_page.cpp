#include "app/video_page.h"

#include "app/main_window.h"
#include "app/up_down.h"
#include "core/emulator_contract.h"
#include "platform/renderer_plugin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <utility>
#include <vector>

using namespace tavrix;

namespace {

constexpr int kGameInfoPage = 0;
constexpr int kVideoPage = 2;

constexpr int kYes = 1;  // "no"/"yes" lists
constexpr int k32Bit = 1;

// The run-time items of the scan-line and blending lists, in the order of VideoListItem.
constexpr Tr kNone{"없음", "none"};
constexpr Tr kYesItem{"예", "yes"};
constexpr Tr kLevel1{"레벨 1", "level 1"};
constexpr Tr kLevel2{"레벨 2", "level 2"};
constexpr Tr kItemCaptions[] = {{"아니요", "no"}, kYesItem, kNone, {"검정", "black"}, {"밝게", "bright"},
                                kLevel1, kLevel2};

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
    // Every change of a control reaches the model. Lists run their change handlers only for
    // the user's picks; selections made by the program run none. The registry check box runs
    // its handler for every change of state.
    VideoSettings& v = model.values;
    const std::pair<QComboBox*, int*> lists[] = {
        {CB3, &v.resolution},   {CB5, &v.colorDepth},  {CB6, &v.scanLines},    {CB7, &v.filtering},
        {CB10, &v.blending},    {CB11, &v.frameLimit}, {CB13, &v.autoFramerate}, {CB14, &v.textureType},
        {CB15, &v.textureCaching}, {CB8, &v.rotation}};
    for (const auto& [list, selection] : lists)
        connect(list, &QComboBox::currentIndexChanged, this, [selection = selection](int index) { *selection = index; });
    const std::pair<QCheckBox*, bool*> boxes[] = {{CB2, &v.stretching}, {CB4, &v.fullScreen}, {CB9, &v.dithering},
                                                  {CB17, &v.slowGeometry}, {CB28, &v.showFps}, {CB12, &v.frameSkip},
                                                  {CB16, &v.rendererKeys}, {CB29, &v.hideConsole}};
    for (const auto& [box, checked] : boxes)
        connect(box, &QCheckBox::toggled, this, [checked = checked](bool on) { *checked = on; });
    connect(CB18, &QComboBox::currentIndexChanged, this, [this](int index) {
        model.values.renderer = index == 0 ? RendererKind::Software
                                : index == 1 ? RendererKind::Direct3D : RendererKind::OpenGL;
    });
    connect(E2, &QLineEdit::textChanged, this, [this](const QString& text) { model.values.frameRate = text.toStdString(); });

    connect(CB18, &QComboBox::activated, this, [this] { CB18Change(); });
    connect(CB3, &QComboBox::activated, this, [this] { CB3Change(); });
    connect(CB13, &QComboBox::activated, this, [this] { CB13Change(); });
    connect(CB5, &QComboBox::activated, this, [this] { CB5Change(); });
    connect(CB22, &QCheckBox::toggled, this, [this](bool on) { update([&] { model.checkRegistry(on); }); });
    connect(B09, &QPushButton::clicked, this, [this] { B09Click(); });
    connect(B06, &QPushButton::clicked, this, [this] { B06Click(); });
    connect(B14, &QPushButton::clicked, this, [this] { B14Click(); });
}

void VideoPage::showModel() {
    const VideoSettings& v = model.values;
    const QList<QWidget*> controls = findChildren<QWidget*>();
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(controls.size());
    for (QWidget* control : controls) blockers.emplace_back(control);

    if (shownLists != model.listsBuilt) {
        // The renderer rule rebuilt the lists: new items, in the language of the moment.
        shownLists = model.listsBuilt;
        for (auto [list, items] : {std::pair{CB6, &model.scanLineItems}, std::pair{CB10, &model.blendingItems}}) {
            list->clear();
            for (VideoListItem item : *items) list->addItem(tr2(kItemCaptions[static_cast<int>(item)]));
        }
    }
    CB18->setCurrentIndex(static_cast<int>(v.renderer));
    const std::pair<QComboBox*, int> lists[] = {
        {CB3, v.resolution}, {CB5, v.colorDepth}, {CB6, v.scanLines}, {CB7, v.filtering},
        {CB10, v.blending},  {CB11, v.frameLimit}, {CB13, v.autoFramerate}, {CB14, v.textureType},
        {CB15, v.textureCaching}, {CB8, v.rotation}};
    for (const auto& [list, selection] : lists) list->setCurrentIndex(selection);
    const std::pair<QCheckBox*, bool> boxes[] = {{CB2, v.stretching}, {CB4, v.fullScreen}, {CB9, v.dithering},
                                                 {CB17, v.slowGeometry}, {CB28, v.showFps}, {CB12, v.frameSkip},
                                                 {CB16, v.rendererKeys}, {CB29, v.hideConsole},
                                                 {CB22, v.registrySettings}};
    for (const auto& [box, checked] : boxes) box->setChecked(checked);
    const QString frameRate = QString::fromStdString(v.frameRate);
    if (E2->text() != frameRate) E2->setText(frameRate);

    const std::pair<std::vector<QWidget*>, bool> enabling[] = {
        {{CB2}, model.stretchingEnabled},
        {{CB7, CB5, L52, L54, CB14, L59, CB15, L60, CB10, L56, CB16, CB8, L55}, model.textureEnabled},
        {{CB22}, model.registryEnabled},
        {{CB3, CB6, CB11, CB12, CB13, CB28, L51, L53, L57, L58}, model.screenEnabled},
        {{CB4}, model.fullScreenEnabled},
        {{CB9}, v.ditheringEnabled},
        {{E2, UD1, L14}, model.frameRateEnabled}};
    for (const auto& [controls, enabled] : enabling)
        for (QWidget* control : controls) control->setEnabled(enabled);
    B14->setVisible(model.advancedVisible);
}

VideoSettings VideoPage::settings() const {
    return model.settings();
}

void VideoPage::CB18Change() {
    update([&] { model.CB18Change(); });
}

void VideoPage::CB22Click() {
    update([&] { model.CB22Click(); });
}

void VideoPage::CB3Change() {
    update([&] { model.CB3Change(); });
}

void VideoPage::CB13Change() {
    update([&] { model.CB13Change(); });
}

void VideoPage::CB5Change() {
    update([&] { model.CB5Change(); });
}

void VideoPage::WriteVideoSettings(bool hardware) {
    model.WriteVideoSettings(hardware);
}

void VideoPage::ReadVideoSettings() {
    update([&] { model.ReadVideoSettings(); });
}

void VideoPage::B09Click() {
    model.B09Click();
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
