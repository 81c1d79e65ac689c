#pragma once

namespace grayden {

// How a long monitor operation tells its user it is busy: the wait cursor in the editor,
// nothing at all in a terminal.
class BusyFeedback {
public:
    virtual ~BusyFeedback() = default;
    virtual void setBusy(bool on) = 0;
};

}  // namespace grayden
