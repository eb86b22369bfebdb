#pragma once
// The game list's image list: red, yellow and green chips for a missing, incomplete and
// complete romset, then the descending and ascending sort arrows of the column headers. Drawn
// with GDI after the Qt front end's pictures.
#include <windows.h>

#include <commctrl.h>

namespace tavrix::win32 {

// A new image list of five images of `size` x `size` pixels (16 at 96 dots per inch), drawn
// at that size; the caller destroys it.
HIMAGELIST makeStatusImages(int size = 16);

}  // namespace tavrix::win32
