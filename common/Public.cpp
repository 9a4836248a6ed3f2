#include "common/Public.h"

namespace common {
namespace {
PublicState state;
}

PublicState& Public() {
    return state;
}

void resetPublic() {
    state = PublicState{};
}

} // namespace common
