#pragma once

#include <QPixmap>

// The program's icon (resources/sondrix.svg) drawn at `size` pixels square.
QPixmap programIcon(int size);
