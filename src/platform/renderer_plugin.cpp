#include "platform/renderer_plugin.h"

#include "core/emulator_contract.h"
#include "core/error.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace tavrix::platform {

SoftwareRendererDialog::SoftwareRendererDialog(QString fileName) : fileName_(std::move(fileName)) {}

void SoftwareRendererDialog::bind() {
    // A full path, so the library search path is not consulted: the plug-in belongs to the
    // emulator in the working directory.
    const QString path = QDir::current().absoluteFilePath(fileName_);
    const std::string shownName = fileName_.toStdString();
    if (!QFileInfo(path).isFile())
        throw Error("Cannot load the plug-in \"" + shownName + "\". " + systemErrorText(ENOENT));
    library_.setFileName(path);
    if (!library_.load())
        throw Error("Cannot load the plug-in \"" + shownName + "\". " + library_.errorString().toStdString());
    const auto entry = reinterpret_cast<ConfigureEntry>(library_.resolve(emulator::kSoftwareRendererConfigEntry));
    if (entry == nullptr) {
        library_.unload();
        throw Error(std::string("The plug-in \"") + shownName + "\" has no entry point " +
                    emulator::kSoftwareRendererConfigEntry);
    }
    configure_ = entry;
}

void SoftwareRendererDialog::run() {
    if (configure_ == nullptr) bind();
    configure_();
}

}  // namespace tavrix::platform
