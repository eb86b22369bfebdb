#pragma once
// The game list's image list: red, yellow and green chips for a missing, incomplete and
// complete romset, then the descending and ascending sort arrows of the column headers. Drawn
// with GDI after the Qt front end's pictures.
#include <windows.h>

#include <commctrl.h>

namespace tavrix::win32 {

// A new image list of five 16x16 images; the caller destroys it.
HIMAGELIST makeStatusImages();

}  // namespace tavrix::win32
