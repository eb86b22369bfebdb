/* The keyboard input plug-in's interface as the emulator sees it: three exported functions
 * with C linkage and the record that a read fills. Usable from C and C++. */
#ifndef TAVRIX_CONTROLLER_H
#define TAVRIX_CONTROLLER_H

#include <stdint.h>

#if defined(_WIN32)
/* Open and Read take their arguments on the stack and pop them themselves (the Windows API
 * convention); the .def file gives the undecorated names and the ordinals. */
#define KX_CALL __stdcall
#define KX_EXPORT
#else
#define KX_CALL
#define KX_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Filled by KX_JammaRead: 20 bytes, little-endian, a set bit means the mapped key is down. */
typedef struct JammaState {
    uint32_t special; /* the four fixed special keys, whatever the system */
    uint32_t input1;  /* bits from the selected key map's first array */
    uint32_t input2;
    uint32_t input3;
    uint32_t input4;
} JammaState;

/* Opens the keyboard for systemType. window is the emulator's window handle; the last two
 * arguments are ignored. Returns 0 on success, -1 on failure (a line was printed). */
KX_EXPORT int32_t KX_CALL KX_JammaOpen(void* window, int32_t systemType, int32_t reserved1,
                                       int32_t reserved2);
/* Releases the keyboard. Always returns 0; closing twice is harmless. */
KX_EXPORT int32_t KX_JammaClose(void);
/* Fills *state from the keyboard. Returns 0, or -1 (state untouched) when the keyboard
 * cannot be read, the plug-in is not open or state is null. */
KX_EXPORT int32_t KX_CALL KX_JammaRead(JammaState* state);

typedef int32_t(KX_CALL* KX_JammaOpenFunction)(void*, int32_t, int32_t, int32_t);
typedef int32_t (*KX_JammaCloseFunction)(void);
typedef int32_t(KX_CALL* KX_JammaReadFunction)(JammaState*);

#ifdef __cplusplus
}

#include <bit>
#include <cstddef>

static_assert(sizeof(JammaState) == 20, "JammaState is five packed 32-bit words");
static_assert(offsetof(JammaState, special) == 0);
static_assert(offsetof(JammaState, input1) == 4);
static_assert(offsetof(JammaState, input2) == 8);
static_assert(offsetof(JammaState, input3) == 12);
static_assert(offsetof(JammaState, input4) == 16);
static_assert(std::endian::native == std::endian::little,
              "the emulator reads JammaState as little-endian words");
#endif

#endif
