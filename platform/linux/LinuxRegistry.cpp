#include "platform/linux/LinuxRegistry.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "platform/linux/DesktopBridge.h"
#include "platform/linux/DurableFile.h"
#include "platform/linux/RegistryText.h"
#include "platform/linux/UniqueFd.h"
#include "platform/linux/XdgDirs.h"

namespace platform {
namespace {

std::string storeFolder() {
    return xdgConfigHome() + "/sumora";
}

bool lock(const UniqueFd& folder, int operation) {
    while (::flock(folder.get(), operation) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string LinuxRegistry::storePath() {
    return storeFolder() + "/registry.ini";
}

RegResult LinuxRegistry::transact(Access access,
                                  const std::function<RegResult(RegistryTree&)>& step) {
    const std::string folder = storeFolder();
    if (access == Access::Change && makeFolders(folder, 0700) != 0) {
        return RegResult::StoreFailed;
    }
    // The lock is on the folder, not the file, which a change replaces by another.
    const UniqueFd locked(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!locked.valid()) {
        RegistryTree empty;
        return errno == ENOENT && access == Access::Read ? step(empty) : RegResult::StoreFailed;
    }
    if (!lock(locked, access == Access::Change ? LOCK_EX : LOCK_SH)) {
        return RegResult::StoreFailed;
    }
    int error = 0;
    const auto text = readNative(storePath(), error);
    if (!text && error != ENOENT) {
        return RegResult::StoreFailed;
    }
    auto tree = text ? parseRegistry(*text) : RegistryTree();
    if (!tree) {
        return RegResult::StoreFailed;
    }
    const RegResult result = step(*tree);
    if (access == Access::Read || result != RegResult::Success) {
        return result;
    }
    const std::string changed = formatRegistry(*tree);
    if (changed == (text ? *text : formatRegistry(RegistryTree()))) {
        return result;
    }
    return replaceDurably(storePath(), changed, 0600) == 0 ? result : RegResult::StoreFailed;
}

RegKey LinuxRegistry::remember(RegistryRoot root, std::vector<std::string> names) {
    const RegKey key = next_++;
    open_.emplace(key, Opened{root, std::move(names)});
    return key;
}

RegResult LinuxRegistry::createKey(RegistryRoot root, const std::string& path, RegKey& key) {
    auto names = RegistryTree::split(path);
    if (!names) {
        return RegResult::InvalidParameter;
    }
    const RegResult result = transact(Access::Change, [&](RegistryTree& tree) {
        tree.create(root, *names);
        return RegResult::Success;
    });
    if (result == RegResult::Success) {
        key = remember(root, std::move(*names));
    }
    return result;
}

RegResult LinuxRegistry::openKey(RegistryRoot root, const std::string& path, RegKey& key) {
    auto names = RegistryTree::split(path);
    if (!names) {
        return RegResult::InvalidParameter;
    }
    const RegResult result = transact(Access::Read, [&](RegistryTree& tree) {
        return tree.find(root, *names) != nullptr ? RegResult::Success : RegResult::FileNotFound;
    });
    if (result == RegResult::Success) {
        key = remember(root, std::move(*names));
    }
    return result;
}

RegResult LinuxRegistry::changeValue(RegKey key, const std::string& subKey, const std::string& name,
                                     const std::string& value) {
    const auto opened = open_.find(key);
    const auto below = RegistryTree::split(subKey);
    if (opened == open_.end()) {
        return RegResult::InvalidHandle;
    }
    if (!below || !RegistryTree::validName(name)) {
        return RegResult::InvalidParameter;
    }
    const Opened& at = opened->second;
    return transact(Access::Change, [&](RegistryTree& tree) {
        if (tree.find(at.root, at.names) == nullptr) {
            return RegResult::KeyDeleted;
        }
        std::vector<std::string> names = at.names;
        names.insert(names.end(), below->begin(), below->end());
        tree.create(at.root, names).setValue(name, value);
        return RegResult::Success;
    });
}

RegResult LinuxRegistry::setValue(RegKey key, const std::string& subKey, const std::string& value) {
    return changeValue(key, subKey, "", value);
}

RegResult LinuxRegistry::setValueEx(RegKey key, const std::string& name, const std::string& value) {
    return changeValue(key, "", name, value);
}

RegResult LinuxRegistry::queryValueEx(RegKey key, const std::string& name, std::string& value) {
    const auto opened = open_.find(key);
    if (opened == open_.end()) {
        return RegResult::InvalidHandle;
    }
    const Opened& at = opened->second;
    std::string stored;
    const RegResult result = transact(Access::Read, [&](RegistryTree& tree) {
        const RegistryNode* node = tree.find(at.root, at.names);
        if (node == nullptr) {
            return RegResult::KeyDeleted;
        }
        const std::string* found = node->value(name);
        if (found == nullptr) {
            return RegResult::FileNotFound;
        }
        stored = *found;
        return RegResult::Success;
    });
    const bool extensionKey = at.root == RegistryRoot::ClassesRoot && at.names.size() == 1 &&
                              at.names[0].size() > 1 && at.names[0][0] == '.' && name.empty();
    if (result != RegResult::Success || !extensionKey) {
        value = stored;
        return result;
    }
    const auto handler = desktopHandlerOf(at.names[0].substr(1));
    if (!handler) {
        return RegResult::FileNotFound;
    }
    value = *handler;
    return RegResult::Success;
}

RegResult LinuxRegistry::deleteKey(RegistryRoot root, const std::string& path) {
    const auto names = RegistryTree::split(path);
    if (!names || names->empty()) {
        return RegResult::InvalidParameter;
    }
    return transact(Access::Change, [&](RegistryTree& tree) { return tree.remove(root, *names); });
}

RegResult LinuxRegistry::closeKey(RegKey key) {
    return open_.erase(key) == 1 ? RegResult::Success : RegResult::InvalidHandle;
}

void LinuxRegistry::associationsChanged() {
    // Under the exclusive lock, so that processes starting together publish one after another.
    transact(Access::Change, [](RegistryTree& tree) {
        publishAssociations(tree.root(RegistryRoot::ClassesRoot));
        return RegResult::Success;
    });
}

Registry& systemRegistry() {
    static LinuxRegistry instance;
    return instance;
}

}  // namespace platform
