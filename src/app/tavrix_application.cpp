#include "app/tavrix_application.h"

#include "app/error_report.h"

#include <QFont>

TavrixApplication::TavrixApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tavrix"));
    setApplicationDisplayName(QString());
    setApplicationVersion(QStringLiteral("1.0.1.0"));
    // The window is laid out in pixels for an 8-point interface font.
    QFont interfaceFont = font();
    interfaceFont.setPixelSize(11);
    setFont(interfaceFont);
}

bool TavrixApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ErrorReport::report(error);
    } catch (...) {
        ErrorReport::report(QStringLiteral("Unexpected error"));
    }
    return false;
}
