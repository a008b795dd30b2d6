#include "engine/random.h"

#include <stdexcept>

namespace zg {

int SeededRandom::operator()(int n) {
    if (n <= 1) {
        engine_();  // still a draw, so the sequence does not depend on n
        return 0;
    }
    std::uniform_int_distribution<int> dist(0, n - 1);
    return dist(engine_);
}

int ScriptedRandom::operator()(int n) {
    requests_.push_back(n);
    if (next_ >= values_.size()) throw std::out_of_range("scripted random sequence exhausted");
    int v = values_[next_++];
    if (n <= 1) return 0;
    int r = v % n;
    return r < 0 ? r + n : r;
}

}  // namespace zg
