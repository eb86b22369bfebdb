// Loads the built controller.orv the way the emulator does and calls its exports.
#include "fixtures/run_command.h"
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "controller/controller.h"
#include "controller/evdev_keyboard.h"

namespace {

using tavrix::test::runCommand;

class PluginLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        handle_ = dlopen(TAVRIX_CONTROLLER_ORV, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        open_ = reinterpret_cast<KX_JammaOpenFunction>(dlsym(handle_, "KX_JammaOpen"));
        close_ = reinterpret_cast<KX_JammaCloseFunction>(dlsym(handle_, "KX_JammaClose"));
        read_ = reinterpret_cast<KX_JammaReadFunction>(dlsym(handle_, "KX_JammaRead"));
        ASSERT_TRUE(open_ && close_ && read_);
    }
    void TearDown() override {
        if (close_) close_();
        if (handle_) dlclose(handle_);
    }

    // Whether this machine has a keyboard device the plug-in can read.
    static bool keyboardPresent() {
        tavrix::controller::EvdevKeyboardSource probe;
        return probe.createDevice() == tavrix::controller::result::Ok;
    }

    void* handle_ = nullptr;
    KX_JammaOpenFunction open_ = nullptr;
    KX_JammaCloseFunction close_ = nullptr;
    KX_JammaReadFunction read_ = nullptr;
};

TEST_F(PluginLibrary, ExportsExactlyTheThreeFunctions) {
    const std::string listing = runCommand(std::string("nm -D --defined-only ") + TAVRIX_CONTROLLER_ORV);
    std::set<std::string> names;
    std::istringstream lines(listing);
    std::string address, type, name;
    while (lines >> address >> type >> name) names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"KX_JammaClose", "KX_JammaOpen", "KX_JammaRead"}));
}

TEST_F(PluginLibrary, OpenReadCloseAsTheEmulatorCallsThem) {
    JammaState state{7, 7, 7, 7, 7};
    EXPECT_EQ(read_(&state), -1);  // before open
    EXPECT_EQ(state.input1, 7u);

    testing::internal::CaptureStdout();
    const std::int32_t opened = open_(nullptr, 2, 0, 0);
    const std::string printed = testing::internal::GetCapturedStdout();

    if (keyboardPresent()) {
        EXPECT_EQ(opened, 0);
        EXPECT_EQ(printed, "ERROR: System not yet emulated\nJAMMA keyboard driver 1.0 initialized\n");
        EXPECT_EQ(read_(&state), 0);
        EXPECT_EQ(state.input1 | state.input2 | state.input3 | state.input4, 0u);
    } else {
        // No readable /dev/input/event* here: a clean failure with its line.
        EXPECT_EQ(opened, -1);
        EXPECT_EQ(printed, "ERROR: System not yet emulated\nERROR: DirectInput: Create Device Failed");
        EXPECT_EQ(read_(&state), -1);
        EXPECT_EQ(state.special, 7u);
    }
    EXPECT_EQ(read_(nullptr), -1);
    EXPECT_EQ(close_(), 0);
    EXPECT_EQ(close_(), 0);
    EXPECT_EQ(read_(&state), -1);  // closed again
}

}  // namespace
