#pragma once

#include "platform/Progress.h"

// Closes the progress window however the operation that showed it ends.
class ProgressCloser {
public:
    explicit ProgressCloser(Progress& progress) : progress_(progress) {}
    ~ProgressCloser() { progress_.Close(); }
    ProgressCloser(const ProgressCloser&) = delete;
    ProgressCloser& operator=(const ProgressCloser&) = delete;

private:
    Progress& progress_;
};
