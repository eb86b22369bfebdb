#pragma once
// The general error report: an error that ends an event handler is shown in a message box
// captioned "Tavrix" with the error icon. All boxes go through one replaceable sink so tests
// can record them instead of showing a modal box.
#include <QString>

#include <exception>
#include <functional>

class ErrorReport {
public:
    using Sink = std::function<void(const QString& text)>;

    // Replaces the message box; an empty sink restores it.
    static void setSink(Sink sink);

    // The general report: the text with a full stop added when it does not end in one.
    static void report(const QString& text);
    static void report(const std::exception& error);

    // An error box with exactly this text (the start-up check of the settings file).
    static void showError(const QString& text);

    // Runs a handler and reports what it throws; for code that runs outside an event.
    static void guard(const std::function<void()>& handler);
};
