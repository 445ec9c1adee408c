#pragma once

#include <cstdint>

// Counts every call of the global operator new (all forms) in the process, so a benchmark can
// prove that the code it times allocates nothing: read the count before and after, compare.
// Linking bench/support/AllocationCounter.cpp into an executable replaces the global operators.
namespace allocation_counter {

std::uint64_t allocations(); // operator new calls so far
std::uint64_t bytes();       // bytes asked for by them

// The allocations made between construction and a call of count().
class Scope {
public:
    Scope() : start(allocations()) {}
    std::uint64_t count() const { return allocations() - start; }

private:
    std::uint64_t start;
};

} // namespace allocation_counter
