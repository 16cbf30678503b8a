// The texts of the notes shown over the picture, in the six languages (English, German,
// French, Spanish, Italian, Russian). An index outside 0 to 5 gives English.
#pragma once

#include <QString>

namespace notes {

// "Volume: 40 %"; a muted video's sound is "Volume: muted".
QString volume(int language, int percent, bool muted);
// "Speed: 0.50×", the play rate.
QString rate(int language, double rate);
// A file opened again goes on at seconds, where it was left; Home starts it over.
QString continued(int language, int seconds);
// "Subtitles: on" or "Subtitles: off", after V or the menu.
QString subtitles(int language, bool shown);
// The playlist passed over a file it could not play.
QString skipped(int language, const QString& fileName);
// Where F12's file went, or that the folder could not be written.
QString screenshotSaved(int language, const QString& path);
QString screenshotFailed(int language, const QString& folder);

}  // namespace notes
