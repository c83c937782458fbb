#pragma once
// The hourglass mouse pointer of long operations.

namespace tlrx {

// Shows the hourglass pointer from construction until destruction, through
// the handler installed by SetBusyPointerHandler (none: nothing is shown).
class HourglassPointer {
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    bool shown_ = false;
};

// Installs the function that shows (true) or takes back (false) the
// hourglass pointer; nullptr: none.
void SetBusyPointerHandler(void (*show)(bool busy));

}  // namespace tlrx
