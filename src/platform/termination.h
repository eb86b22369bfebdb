#pragma once
// Ends the event loop cleanly when the process is asked to stop (SIGTERM, SIGINT, SIGHUP), as a
// desktop session does at logout, instead of dying in the middle of a write.
namespace tavrix::platform {

void quitOnTerminationSignals();

}  // namespace tavrix::platform
