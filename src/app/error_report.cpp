#include "app/error_report.h"

#include "core/error.h"

#include <QApplication>
#include <QMessageBox>

namespace {
ErrorReport::Sink sink;
}

void ErrorReport::setSink(Sink newSink) {
    sink = std::move(newSink);
}

void ErrorReport::showError(const QString& text) {
    if (sink) {
        sink(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tavrix"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void ErrorReport::report(const QString& text) {
    showError(QString::fromStdString(tavrix::errorReportText(text.toStdString())));
}

void ErrorReport::report(const std::exception& error) {
    report(QString::fromUtf8(error.what()));
}

void ErrorReport::guard(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        report(error);
    }
}
