#include "platform/Registry.h"

namespace platform {

Registry& systemRegistry();

namespace {
Registry* current = nullptr;
}

Registry& registry() {
    return current != nullptr ? *current : systemRegistry();
}

ScopedRegistry::ScopedRegistry(Registry& replacement) : previous_(current) {
    current = &replacement;
}

ScopedRegistry::~ScopedRegistry() {
    current = previous_;
}

}  // namespace platform
