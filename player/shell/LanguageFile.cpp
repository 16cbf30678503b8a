#include "LanguageFile.h"

#include "LanguageTables.h"

#include <QFile>
#include <QSaveFile>

#include <array>
#include <cstdint>

namespace langfile {

std::optional<int> read(const QString& folder)
{
    QFile file(folder + QLatin1String(kFileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::array<char, 4> bytes{};
    if (file.read(bytes.data(), 4) != 4)
        return std::nullopt;
    std::uint32_t raw = 0;
    for (int i = 3; i >= 0; --i)
        raw = (raw << 8) | static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
    const auto index = static_cast<std::int32_t>(raw);
    if (!lang::isValid(index))
        return std::nullopt;
    return index;
}

bool write(const QString& folder, int index)
{
    const auto raw = static_cast<std::uint32_t>(index);
    const std::array<char, 4> bytes = {static_cast<char>(raw & 0xFF), static_cast<char>((raw >> 8) & 0xFF),
                                       static_cast<char>((raw >> 16) & 0xFF),
                                       static_cast<char>((raw >> 24) & 0xFF)};
    // Written whole or not at all, so an interrupted write never leaves a short file. No
    // direct-write fallback: on a full disk it would truncate the old file before failing.
    QSaveFile file(folder + QLatin1String(kFileName));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The bytes are flushed here: commit() would rename a file whose buffered bytes found no
    // room over the old one.
    if (file.write(bytes.data(), 4) != 4 || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace langfile
