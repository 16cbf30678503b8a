// The program's compiled-in resources (PNG image strips under ":/images/").
#pragma once

namespace velmora {

// Registers the resources of this static library; call once before any image is loaded.
// Safe to call more than once.
void initResources();

}  // namespace velmora
