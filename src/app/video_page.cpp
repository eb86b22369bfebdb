#include "app/video_page.h"

#include "app/form_builder.h"
#include "app/main_window.h"
#include "app/up_down.h"
#include "core/emulator_contract.h"
#include "platform/renderer_plugin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <utility>
#include <vector>

using namespace tavrix;

VideoPage::VideoPage(TF1* owner) : Page(owner, "TS3") {
    CreateWidgets();
    ConnectWidgets();
}

VideoPage::~VideoPage() = default;

void VideoPage::CreateWidgets() {
    buildForm(this, videoPageLayout(), book);
    TAVRIX_BIND(L50), TAVRIX_BIND(CB18), TAVRIX_BIND(CB2), TAVRIX_BIND(CB3), TAVRIX_BIND(CB4);
    TAVRIX_BIND(CB5), TAVRIX_BIND(CB9), TAVRIX_BIND(CB6), TAVRIX_BIND(CB7), TAVRIX_BIND(CB17);
    TAVRIX_BIND(CB10), TAVRIX_BIND(CB28), TAVRIX_BIND(CB11), TAVRIX_BIND(CB12), TAVRIX_BIND(CB13);
    TAVRIX_BIND(E2), TAVRIX_BIND(UD1), TAVRIX_BIND(L14), TAVRIX_BIND(CB14), TAVRIX_BIND(CB16);
    TAVRIX_BIND(CB15), TAVRIX_BIND(CB29), TAVRIX_BIND(CB8), TAVRIX_BIND(CB22), TAVRIX_BIND(B14);
    TAVRIX_BIND(B09), TAVRIX_BIND(B06);
    CB3->setMaxVisibleItems(kResolutionCount);
}

void VideoPage::ConnectWidgets() {
    // Every change of a control reaches the model. Lists run their change handlers only for
    // the user's picks; selections made by the program run none. The registry check box runs
    // its handler for every change of state.
    for (auto [name, selection] : model.lists())
        connect(findChild<QComboBox*>(name), &QComboBox::currentIndexChanged, this,
                [selection = selection](int index) { *selection = index; });
    for (auto [name, checked] : model.checkBoxes())
        connect(findChild<QCheckBox*>(name), &QCheckBox::toggled, this, [checked = checked](bool on) { *checked = on; });
    connect(CB18, &QComboBox::currentIndexChanged, this, [this](int index) { model.pickRenderer(index); });
    connect(E2, &QLineEdit::textChanged, this, [this](const QString& text) { model.values.frameRate = text.toStdString(); });

    connect(CB18, &QComboBox::activated, this, [this] { CB18Change(); });
    connect(CB3, &QComboBox::activated, this, [this] { CB3Change(); });
    connect(CB13, &QComboBox::activated, this, [this] { CB13Change(); });
    connect(CB5, &QComboBox::activated, this, [this] { CB5Change(); });
    connect(CB22, &QCheckBox::toggled, this, [this](bool on) { update([&] { if (model.values.registrySettings != on) model.values.registrySettings = on, model.CB22Click(); }); });
    connect(B09, &QPushButton::clicked, this, [this] { B09Click(); });
    connect(B06, &QPushButton::clicked, this, [this] { B06Click(); });
    connect(B14, &QPushButton::clicked, this, [this] { B14Click(); });
}

void VideoPage::showModel() {
    const QList<QWidget*> controls = findChildren<QWidget*>();
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(controls.size());
    for (QWidget* control : controls) blockers.emplace_back(control);

    if (shownLists != model.listsBuilt) {
        // The renderer rule rebuilt the lists: new items, in the language of the moment.
        shownLists = model.listsBuilt;
        for (auto [list, items] : {std::pair{CB6, &model.scanLineItems}, std::pair{CB10, &model.blendingItems}}) {
            list->clear();
            for (VideoListItem item : *items) list->addItem(tr2(captionOf(item)));
        }
    }
    CB18->setCurrentIndex(model.rendererIndex());
    for (auto [name, selection] : model.lists()) findChild<QComboBox*>(name)->setCurrentIndex(*selection);
    for (auto [name, checked] : model.checkBoxes()) findChild<QCheckBox*>(name)->setChecked(*checked);
    CB22->setChecked(model.values.registrySettings);
    const QString frameRate = QString::fromStdString(model.values.frameRate);
    if (E2->text() != frameRate) E2->setText(frameRate);
    for (auto [name, enabled] : model.enabledControls()) findChild<QWidget*>(name)->setEnabled(enabled);
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
