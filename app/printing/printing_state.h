// Printing's part of the editor state. Whether a default printer exists is
// found out once, after the window is shown; until that answer has arrived
// no printer is available.
#pragma once

namespace tavrel {

struct PrintingState {
  bool printer_available = false;
  bool printer_decided = false;
};

}  // namespace tavrel
