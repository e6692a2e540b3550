#pragma once

#include <cstdint>

namespace tav {

// A set of single-bit enumerators of E, held as a 64-bit mask.
template <typename E>
class FlagSet {
public:
    constexpr FlagSet() = default;
    constexpr explicit FlagSet(uint64_t mask) : _mask(mask) {}
    constexpr FlagSet(E flag) : _mask(uint64_t(flag)) {}

    constexpr uint64_t mask() const { return _mask; }
    constexpr bool has(E flag) const { return (_mask & uint64_t(flag)) != 0; }
    constexpr bool empty() const { return _mask == 0; }
    void set(E flag, bool on = true) { _mask = on ? (_mask | uint64_t(flag)) : (_mask & ~uint64_t(flag)); }

    constexpr FlagSet operator|(FlagSet other) const { return FlagSet(_mask | other._mask); }
    constexpr uint64_t operator&(E flag) const { return _mask & uint64_t(flag); }
    constexpr bool operator==(FlagSet other) const { return _mask == other._mask; }
    constexpr bool operator!=(FlagSet other) const { return _mask != other._mask; }

private:
    uint64_t _mask = 0;
};

} // namespace tav
