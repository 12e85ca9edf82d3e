#pragma once

#include <QPixmap>

// The program's picture (a text page under a magnifying glass), drawn at run time in any
// size: the window icon and the main window's logo. The same shapes as the installed icon
// packaging/nimbra-doviruzu.svg.
QPixmap programLogo(int size);
