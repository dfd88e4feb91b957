#include "platform/linux/RegistryTree.h"

#include <algorithm>

#include "platform/Text.h"

namespace platform {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a == b || toLower(a) == toLower(b);
}

template <class Children>
auto findChild(Children& children, std::string_view wanted) -> decltype(children.data()) {
    const auto found = std::find_if(children.begin(), children.end(), [wanted](const auto& node) {
        return sameName(node.name, wanted);
    });
    return found != children.end() ? &*found : nullptr;
}

}  // namespace

RegistryNode* RegistryNode::subkey(std::string_view wanted) {
    return findChild(subkeys, wanted);
}

const RegistryNode* RegistryNode::subkey(std::string_view wanted) const {
    return findChild(subkeys, wanted);
}

const std::string* RegistryNode::value(std::string_view wanted) const {
    const auto found = std::find_if(values.begin(), values.end(), [wanted](const auto& entry) {
        return sameName(entry.first, wanted);
    });
    return found != values.end() ? &found->second : nullptr;
}

void RegistryNode::setValue(const std::string& valueName, const std::string& text) {
    const auto found = std::find_if(values.begin(), values.end(), [&](const auto& entry) {
        return sameName(entry.first, valueName);
    });
    if (found != values.end()) {
        found->second = text;
    } else {
        values.emplace_back(valueName, text);
    }
}

RegistryNode& RegistryTree::root(RegistryRoot which) {
    return which == RegistryRoot::ClassesRoot ? classesRoot_ : currentUser_;
}

const RegistryNode& RegistryTree::root(RegistryRoot which) const {
    return which == RegistryRoot::ClassesRoot ? classesRoot_ : currentUser_;
}

bool RegistryTree::validName(std::string_view name) {
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

std::optional<std::vector<std::string>> RegistryTree::split(std::string_view path) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    std::size_t start = 0;
    while (true) {
        const auto end = path.find('\\', start);
        const std::string_view name = path.substr(start, end - start);
        if (name.empty() || !validName(name)) {
            return std::nullopt;
        }
        names.emplace_back(name);
        if (end == std::string_view::npos) {
            return names;
        }
        start = end + 1;
    }
}

RegistryNode* RegistryTree::find(RegistryRoot which, const std::vector<std::string>& names) {
    RegistryNode* node = &root(which);
    for (const auto& name : names) {
        node = node->subkey(name);
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

const RegistryNode* RegistryTree::find(RegistryRoot which,
                                       const std::vector<std::string>& names) const {
    return const_cast<RegistryTree*>(this)->find(which, names);
}

RegistryNode& RegistryTree::create(RegistryRoot which, const std::vector<std::string>& names) {
    RegistryNode* node = &root(which);
    for (const auto& name : names) {
        RegistryNode* child = node->subkey(name);
        if (child == nullptr) {
            child = &node->subkeys.emplace_back(RegistryNode{name, {}, {}});
        }
        node = child;
    }
    return *node;
}

RegResult RegistryTree::remove(RegistryRoot which, const std::vector<std::string>& names) {
    if (names.empty()) {
        return RegResult::AccessDenied;
    }
    RegistryNode* parent = find(which, {names.begin(), names.end() - 1});
    RegistryNode* node = parent != nullptr ? parent->subkey(names.back()) : nullptr;
    if (node == nullptr) {
        return RegResult::FileNotFound;
    }
    if (!node->subkeys.empty()) {
        return RegResult::AccessDenied;
    }
    parent->subkeys.erase(parent->subkeys.begin() + (node - parent->subkeys.data()));
    return RegResult::Success;
}

}  // namespace platform
