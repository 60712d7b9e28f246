#include "net/NetTimeouts.h"

namespace {
NetTimeouts current;
}

const NetTimeouts& netTimeouts() {
    return current;
}

NetTimeoutsScope::NetTimeoutsScope(const NetTimeouts& timeouts) : previous_(current) {
    current = timeouts;
}

NetTimeoutsScope::~NetTimeoutsScope() {
    current = previous_;
}
