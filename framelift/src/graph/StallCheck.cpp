#include "StallCheck.h"

namespace framelift {
namespace {

struct TaskCensus {
    int running = 0;
    int stoppedWithoutOutput = 0;
};

// The state of the streaming task a pad carries; false when it has none.
bool padTaskState(GstPad* pad, GstTaskState& state)
{
    GST_OBJECT_LOCK(pad);
    GstTask* task = GST_PAD_TASK(pad);
    if (task)
        gst_object_ref(task);
    GST_OBJECT_UNLOCK(pad);
    if (!task)
        return false;
    state = gst_task_get_state(task);
    gst_object_unref(task);
    return true;
}

// Tasks that bring data in: one on an input pad (a demuxer or parser pulling from upstream),
// or one on the output of an element with no inputs (a source pushing). Queues' output tasks
// only pass on what is already inside the graph.
void countTasks(GstElement* element, TaskCensus& census)
{
    GST_OBJECT_LOCK(element);
    const bool isSource = element->numsinkpads == 0;
    const bool hasOutput = element->numsrcpads > 0;
    GST_OBJECT_UNLOCK(element);
    GstIterator* pads = gst_element_iterate_pads(element);
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(pads, &item) == GST_ITERATOR_OK) {
        auto* pad = GST_PAD(g_value_get_object(&item));
        GstTaskState state;
        const bool drivesData = GST_PAD_IS_SINK(pad) || isSource;
        if (drivesData && padTaskState(pad, state)) {
            if (state == GST_TASK_STARTED)
                ++census.running;
            else if (!hasOutput)
                ++census.stoppedWithoutOutput;
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(pads);
}

}  // namespace

bool demuxerGaveUp(GstElement* bin)
{
    TaskCensus census;
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    for (;;) {
        const GstIteratorResult result = gst_iterator_next(elements, &item);
        if (result == GST_ITERATOR_RESYNC) {
            census = TaskCensus{};
            gst_iterator_resync(elements);
            continue;
        }
        if (result != GST_ITERATOR_OK)
            break;
        countTasks(GST_ELEMENT(g_value_get_object(&item)), census);
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
    return census.running == 0 && census.stoppedWithoutOutput > 0;
}

}  // namespace framelift
