#pragma once

namespace tav {

// Mix-in that makes a class non-copyable.
class ProhibitCopy {
public:
    ProhibitCopy() = default;
    ProhibitCopy(const ProhibitCopy&) = delete;
    ProhibitCopy& operator=(const ProhibitCopy&) = delete;
};

} // namespace tav
