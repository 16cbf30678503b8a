#include "SoundOutput.h"

#include <algorithm>
#include <cmath>

namespace framelift {

GstElement* makeSoundOutput()
{
    if (GstElement* device = gst_element_factory_make("autoaudiosink", nullptr)) {
        gst_object_ref_sink(device);
        // Opening happens on the way to READY: a machine without a sound server or device
        // fails here, not halfway through preroll.
        if (gst_element_set_state(device, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE)
            return device;
        gst_element_set_state(device, GST_STATE_NULL);
        gst_object_unref(device);
    }
    GstElement* silent = gst_element_factory_make("fakesink", nullptr);
    if (silent) {
        gst_object_ref_sink(silent);
        g_object_set(silent, "sync", TRUE, nullptr);
    }
    return silent;
}

double linearFromHundredthsDb(int32_t hundredthsDb)
{
    if (hundredthsDb <= kSilenceHundredthsDb)
        return 0.0;
    return std::pow(10.0, std::min<int32_t>(hundredthsDb, 0) / 2000.0);
}

int32_t hundredthsDbFromLinear(double linear)
{
    if (!(linear > 0.0))
        return kSilenceHundredthsDb;
    const double db100 = std::round(2000.0 * std::log10(linear));
    return static_cast<int32_t>(std::clamp(db100, double(kSilenceHundredthsDb), 0.0));
}

}  // namespace framelift
