#pragma once

// The two functions the loadable skin module exports with C linkage. The
// program never links the module: it loads it at run time and looks these up
// by name, so their names and signatures are the module's whole interface.
//
// SkinH_AttachRes(data, size, password, a, b, c)
//   Applies the skin image of size bytes at data to the running Qt
//   application: its palette and its style sheet. password, a, b and c are
//   accepted for the calling convention and not used. A null pointer, a
//   size of 0 or less, an image that is not well formed, or a call made
//   without a running QApplication change nothing and return 0; an applied
//   skin returns 1.
//
// SkinH_SetAero(on)
//   Non-zero adds a softer look on top of the current skin: rounded corners
//   on menus, buttons, group boxes and edit boxes, and a glassy sheen over
//   the tool bar and the status bar. 0 takes it off. The setting outlives
//   later skins. Returns 1, or 0 without a running QApplication.

extern "C" {
int SkinH_AttachRes(const unsigned char* data, int size, const char* password, int a, int b,
                    int c);
int SkinH_SetAero(int on);
}

namespace vostrel::skin {

inline constexpr const char kAttachResName[] = "SkinH_AttachRes";
inline constexpr const char kSetAeroName[] = "SkinH_SetAero";

}  // namespace vostrel::skin
