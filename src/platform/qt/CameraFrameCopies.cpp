#include "platform/qt/CameraFrameCopies.h"

#include <cstring>
#include <gst/gst.h>
#include <mutex>

namespace {

constexpr const char* kPipeWireSource = "pipewiresrc";
constexpr const char* kCopyProperty = "always-copy";

// Runs for every element added to any bin of the process, before the bin
// starts it.
gboolean onElementAdded(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    if (count < 2) return TRUE;
    auto* element = static_cast<GstElement*>(g_value_get_object(&values[1]));
    GstElementFactory* factory = element ? gst_element_get_factory(element) : nullptr;
    const char* name = factory ? gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)) : nullptr;
    if (name && std::strcmp(name, kPipeWireSource) == 0 &&
        g_object_class_find_property(G_OBJECT_GET_CLASS(element), kCopyProperty))
        g_object_set(element, kCopyProperty, TRUE, nullptr);
    return TRUE; // stay installed
}

} // namespace

void copyCameraFramesOutOfPipeWire() {
    static std::once_flag once;
    std::call_once(once, [] {
        gst_init(nullptr, nullptr);
        const guint signal = g_signal_lookup("element-added", GST_TYPE_BIN);
        g_signal_add_emission_hook(signal, 0, onElementAdded, nullptr, nullptr);
    });
}
