#pragma once
// The software renderer plug-in's own settings dialog. The plug-in lies beside the program
// and is bound when the dialog is first asked for, so the front end starts without it.
#include <QLibrary>
#include <QString>

namespace tavrix::platform {

class SoftwareRendererDialog {
public:
    // `fileName` is relative to the working directory.
    explicit SoftwareRendererDialog(QString fileName);

    // Loads the plug-in on first use, then calls its configuration entry point with no
    // arguments and returns when the plug-in's dialog has closed. Its result is not used.
    // A missing plug-in or entry point throws tavrix::Error and leaves the plug-in unbound,
    // so a later call tries again.
    void run();

private:
#ifdef _WIN32
    using ConfigureEntry = long(__stdcall*)();
#else
    using ConfigureEntry = long (*)();
#endif
    void bind();

    QString fileName_;
    QLibrary library_;
    ConfigureEntry configure_ = nullptr;
};

}  // namespace tavrix::platform
