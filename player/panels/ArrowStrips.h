// The control panel's arrow image strips: three 18 x 18 images side by side (normal,
// highlighted, pressed), 54 x 18 in all, drawn here rather than shipped as files.
#pragma once

#include <QPixmap>
#include <QString>

// "IDB_BTN_BAR_PREV", "IDB_BTN_BAR_NEXT", "IDB_BTN_BAR_UP" or "IDB_BTN_BAR_DOWN"; a null
// pixmap for any other name.
QPixmap panelArrowStrip(const QString& name);
