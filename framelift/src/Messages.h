// Where the library's user-facing messages go: the receiver the caller installed, or standard
// error when there is none. The library never opens a window.
#pragma once

#include "framelift.h"

namespace framelift {

void setMessageReceiver(FrameliftMessageFn receiver, void* userData);

// Delivers `text` on the calling thread. The receiver is called with no library lock held.
void showMessage(const char* text);

}  // namespace framelift
