#pragma once
// The application object: title "Tavrix", the interface font, and the general error report for
// every error that escapes an event handler (the handler ends, the window stays open).
#include <QApplication>

class TavrixApplication : public QApplication {
    Q_OBJECT
public:
    TavrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
