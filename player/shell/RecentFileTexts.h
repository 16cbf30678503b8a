// The texts of the recent-file list in each of the six languages.
#pragma once

#include <QString>

namespace recentfiles {

// The message for a recent file that is no longer there (path is shown as given).
QString missingMessage(int language, const QString& path);

// A menu entry: "&1 name", the name's own ampersands kept as text.
QString menuCaption(int index, const QString& path);

}  // namespace recentfiles
