#pragma once
// The program's icon, drawn in code so every size is sharp: the window icon and the icons
// installed for the desktop come from the same drawing.
#include <QIcon>
#include <QImage>

QImage appIconImage(int size);
QIcon appIcon();
