#include "engine/random.h"

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
    if (values_.empty() || n <= 1) {
        if (!values_.empty()) next_ = (next_ + 1) % values_.size();
        return 0;
    }
    int v = values_[next_];
    next_ = (next_ + 1) % values_.size();
    int r = v % n;
    return r < 0 ? r + n : r;
}

}  // namespace zg
