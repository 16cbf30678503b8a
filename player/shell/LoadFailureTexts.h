// What the message box says when a file cannot be played for a reason the file itself shows,
// in the six languages (English, German, French, Spanish, Italian, Russian). An index outside
// 0 to 5 gives English.
#pragma once

#include <QString>

namespace loadtexts {

// The message for a FRAMELIFT_LOAD_* cause (missing, empty, not media, damaged, sound without
// a picture) about the file named fileName; an empty text for any other cause.
QString failure(int language, int cause, const QString& fileName);

// The subtitle file dialog's title and the name of the files it lists.
QString subtitleDialogTitle(int language);
QString subtitleFiles(int language);
// A chosen subtitle file held no subtitles that can be shown.
QString noSubtitles(int language, const QString& fileName);

}  // namespace loadtexts
