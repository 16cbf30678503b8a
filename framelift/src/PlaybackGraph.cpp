#include "PlaybackGraph.h"

#include <climits>
#include <cstring>
#include <string>

#include "Messages.h"
#include "TextureFilter.h"
#include "ThreadHandOver.h"
#include "graph/FilterRegistry.h"
#include "graph/SubtitleFile.h"

namespace framelift {
namespace {

bool buildNormalPath(Graph& graph, const std::string& path)
{
    GstElement* source = graph.addSourceFilter(path, "SOURCE");
    if (!source)
        return false;
    // Subtitles kept beside the video are drawn into its picture.
    const std::string subtitles = subtitleBeside(path);
    if (!subtitles.empty())
        graph.useSubtitleFile(subtitles);
    GstPad* output = Graph::findPin(source, "Output");
    if (!output)
        return false;
    const bool rendered = graph.render(output);
    gst_object_unref(output);
    return rendered;
}

bool buildFfdshowPath(Graph& graph, GstElement* textureFilter, const std::string& path)
{
    // The installed video encoders, searched by long name (an empty list simply finds
    // nothing).
    const auto compressors = videoCompressors();
    if (!compressors) {
        showMessage(kNoDeviceEnumMessage);
        return false;
    }
    GstElement* ffdshow = nullptr;
    for (const FilterEntry& entry : *compressors) {
        if (entry.friendlyName == kFfdshowFriendlyName) {
            ffdshow = bindToFilter(entry);
            break;
        }
    }
    if (!ffdshow) {
        showMessage(kNoFfdshowMessage);
        return false;
    }
    if (!graph.addFilter(ffdshow, "ffdshow")) {
        showMessage(kCannotAddFfdshowMessage);
        return false;
    }
    GstPad* output = Graph::findPinByDirection(ffdshow, GST_PAD_SRC);
    GstPad* input = Graph::findPinByDirection(textureFilter, GST_PAD_SINK);
    graph.connect(output, input);  // not checked: rendering finds out
    if (output)
        gst_object_unref(output);
    if (input)
        gst_object_unref(input);
    if (!graph.renderFile(path)) {
        showMessage(kRenderFileMessage);
        return false;
    }
    return true;
}

}  // namespace

void freeVideo(VideoTexture& h)
{
    // The caller's threads have used the filter (sizes, frames, counts) before this call, as
    // the interface requires. The filter may be finalised on a streaming thread, which learns
    // of that order only through GLib's locks: mark it for the thread checker.
    if (h.filter)
        markHandedOver(h.filter);
    h.servicesHeld = false;
    h.filter = nullptr;
    h.graph.reset();
}

namespace {

using Cause = LoadFailure;
static_assert(int32_t(Cause::None) == FRAMELIFT_LOAD_OK &&
              int32_t(Cause::Unknown) == FRAMELIFT_LOAD_UNKNOWN &&
              int32_t(Cause::Missing) == FRAMELIFT_LOAD_MISSING &&
              int32_t(Cause::Empty) == FRAMELIFT_LOAD_EMPTY &&
              int32_t(Cause::NotMedia) == FRAMELIFT_LOAD_NOT_MEDIA &&
              int32_t(Cause::Damaged) == FRAMELIFT_LOAD_DAMAGED &&
              int32_t(Cause::NoDecoder) == FRAMELIFT_LOAD_NO_DECODER &&
              int32_t(Cause::NoPicture) == FRAMELIFT_LOAD_NO_PICTURE);

bool loadGraph(VideoTexture& h, const char* path, int32_t sizeMode, bool insertFfdshow);

}  // namespace

bool loadVideo(VideoTexture& h, const char* path, int32_t sizeMode, bool insertFfdshow)
{
    h.loadFailure = FRAMELIFT_LOAD_OK;
    const bool loaded = loadGraph(h, path, sizeMode, insertFfdshow);
    if (!loaded) {
        LoadFailure cause = h.graph ? h.graph->loadFailure() : LoadFailure::None;
        if (!path || std::strlen(path) >= PATH_MAX)
            cause = LoadFailure::Missing;
        if (cause == LoadFailure::None && h.graph && h.filter &&
            !textureImageOf(h.filter).geometry().connected()) {
            // Prerolled on an end of stream before any frame.
            const StreamFacts facts = h.graph->streamFacts();
            cause = facts.sound && !facts.picture ? LoadFailure::NoPicture : LoadFailure::Damaged;
        }
        if (cause == LoadFailure::None)
            cause = LoadFailure::Unknown;
        h.loadFailure = static_cast<int32_t>(cause);
    }
    return loaded;
}

namespace {

bool loadGraph(VideoTexture& h, const char* path, int32_t sizeMode, bool insertFfdshow)
{
    freeVideo(h);
    if (!ensureMediaPipeline())
        return false;
    auto graph = std::make_unique<Graph>();
    if (!graph->valid())
        return false;
    h.graph = std::move(graph);

    // An unknown size mode would give a filter that never has a texture: refuse it here.
    if (!isValidSizeMode(sizeMode))
        return false;
    GstElement* filter = createTextureFilter(sizeMode);
    if (!filter || !h.graph->addFilter(filter, "D4100TextureFilter"))
        return false;
    h.filter = filter;
    textureImageOf(filter).setSignal(h.frames);

    if (!path || std::strlen(path) >= PATH_MAX)
        return false;

    const bool built = insertFfdshow ? buildFfdshowPath(*h.graph, filter, path)
                                     : buildNormalPath(*h.graph, path);
    // A graph can preroll on an end of stream that came before any frame: it then has no
    // picture and no sizes, and is no video.
    if (!built || !textureImageOf(filter).geometry().connected())
        return false;
    h.servicesHeld = true;
    return true;
}

}  // namespace

}  // namespace framelift
