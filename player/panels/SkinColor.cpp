#include "SkinColor.h"

#include <QSettings>

#include <cmath>
#include <memory>

namespace skincolor {

double hueFromSlider(int position)
{
    return static_cast<double>(position) - 180.0;
}

double saturationFromSlider(int position)
{
    return std::sqrt(position * 0.01) - 1.0;
}

int sliderFromHue(double hue)
{
    return static_cast<int>(hue + 180.0);
}

int sliderFromSaturation(double saturation)
{
    const double root = saturation + 1.0;
    return static_cast<int>(root * root * 100.0);
}

}  // namespace skincolor

namespace {

const char* const kHueKey = "ColorChooserH";
const char* const kSaturationKey = "ColorChooserS";

std::unique_ptr<QSettings> openSettings(const QString& file)
{
    auto settings = file.isEmpty()
                        ? std::make_unique<QSettings>(QStringLiteral("MediaVelmora"),
                                                      QStringLiteral("settings"))
                        : std::make_unique<QSettings>(file, QSettings::IniFormat);
    settings->beginGroup(QStringLiteral("Settings"));
    return settings;
}

}  // namespace

SkinColorSettings::SkinColorSettings(QString settingsFile) : settingsFile_(std::move(settingsFile))
{
    auto settings = openSettings(settingsFile_);
    hue_ = settings->value(kHueKey, 0).toInt() * 0.001;
    saturation_ = settings->value(kSaturationKey, 0).toInt() * 0.001;
}

void SkinColorSettings::setHueSaturation(double hue, double saturation)
{
    if (hue == hue_ && saturation == saturation_)
        return;
    hue_ = hue;
    saturation_ = saturation;
    auto settings = openSettings(settingsFile_);
    settings->setValue(kHueKey, static_cast<int>(hue * 1000.0));
    settings->setValue(kSaturationKey, static_cast<int>(saturation * 1000.0));
    ++storeCount_;
}
