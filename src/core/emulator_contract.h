#pragma once
// What the front end relies on of the outside emulator and its plug-ins: file names,
// command-line option names and the entry point it calls. Kept in one place so the launch,
// the Video page and the configuration files agree.
namespace tavrix::emulator {

inline constexpr const char* kExecutable = "orvo.exe";
inline constexpr const char* kBatchFileName = "tavrix.bat";
inline constexpr const char* kConsoleWindowTitle = "orvo.exe";

inline constexpr const char* kSoftwareRendererPlugin = "renderer-sft.orv";
inline constexpr const char* kSoftwareRendererConfigEntry = "GPUconfigure";
inline constexpr const char* kSoftwareRendererConfigFile = "tavrix-renderer-sft.cfg";
inline constexpr const char* kHardwareRendererConfigFile = "tavrix-renderer.cfg";

inline constexpr const char* kVantrelControllerPlugin = "controller-vantrel.orv";
inline constexpr const char* kControllerConfigFile = "tavrix-controller.cfg";
inline constexpr const char* kKeyboardControllerPlugin = "controller.orv";

// Options of the emulator's command line that name the plug-ins and their files.
inline constexpr const char* kRendererOption = "--renderer=";
inline constexpr const char* kRendererConfigOption = "--use-renderer-cfg-file=";
inline constexpr const char* kControllerOption = "--controller=";
inline constexpr const char* kControllerConfigOption = "--use-controller-cfg-file=";

}  // namespace tavrix::emulator
