#include "core/Pacing.h"

namespace {

class Unpaced : public Pacing {
public:
    bool due() override { return false; }
    void yield() override {}
    void runBeside(const std::function<void()>& work) override { work(); }
};

} // namespace

Pacing& Pacing::none() {
    static Unpaced unpaced; // holds no state: one serves every thread
    return unpaced;
}
