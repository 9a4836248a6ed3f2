#include "shell/Public.h"

namespace shell {
namespace {
PublicState state;
}

PublicState& Public() {
    return state;
}

void resetPublic() {
    state = PublicState{};
}

} // namespace shell
