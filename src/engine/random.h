// The program's one random source. The order of draws is part of the behaviour.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace zg {

class Random {
  public:
    virtual ~Random() = default;
    // A whole number from 0 to n - 1 with equal chance (n >= 1).
    virtual int operator()(int n) = 0;
};

class SeededRandom : public Random {
  public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int operator()(int n) override;

  private:
    std::mt19937_64 engine_;
};

// Replays a fixed sequence of raw values; each draw returns value mod n. Running out of values
// throws, so a test that miscounts its draws fails instead of looping.
class ScriptedRandom : public Random {
  public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int operator()(int n) override;
    // Every n asked for, in order: lets tests pin the order of draws.
    const std::vector<int>& requests() const { return requests_; }

  private:
    std::vector<int> values_;
    std::size_t next_ = 0;
    std::vector<int> requests_;
};

}  // namespace zg
