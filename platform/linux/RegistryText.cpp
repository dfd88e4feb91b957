#include "platform/linux/RegistryText.h"

#include "platform/Text.h"

namespace platform {
namespace {

constexpr RegistryRoot kRoots[] = {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser};

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + '"';
}

void formatKey(const RegistryNode& node, const std::string& path, bool isRoot, std::string& out) {
    if (!isRoot || !node.values.empty()) {
        out += "\n[" + path + "]\n";
    }
    for (const auto& [name, text] : node.values) {
        out += (name.empty() ? std::string("@") : quoted(name)) + "=" + quoted(text) + "\n";
    }
    for (const auto& child : node.subkeys) {
        formatKey(child, path + "\\" + child.name, false, out);
    }
}

// Reads a quoted text at pos; pos ends after the closing quotation mark.
std::optional<std::string> unquote(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++pos == line.size()) {
            return std::nullopt;
        }
        switch (line[pos]) {
            case '\\':
            case '"':
                text += line[pos];
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<RegistryRoot> rootNamed(std::string_view name) {
    for (const RegistryRoot root : kRoots) {
        if (toUpper(name) == RegistryTree().root(root).name) {
            return root;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string formatRegistry(const RegistryTree& tree) {
    std::string out = "; Sumora registry: keys in [brackets], @ is a key's default value\n";
    for (const RegistryRoot root : kRoots) {
        const RegistryNode& node = tree.root(root);
        formatKey(node, node.name, true, out);
    }
    return out;
}

std::optional<RegistryTree> parseRegistry(std::string_view text) {
    RegistryTree tree;
    RegistryNode* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.size() < 2 || line.back() != ']') {
                return std::nullopt;
            }
            const std::string_view path = line.substr(1, line.size() - 2);
            const auto separator = path.find('\\');
            const auto root = rootNamed(path.substr(0, separator));
            const auto names = separator == std::string_view::npos
                                   ? std::optional<std::vector<std::string>>(std::in_place)
                                   : RegistryTree::split(path.substr(separator + 1));
            if (!root || !names) {
                return std::nullopt;
            }
            current = &tree.create(*root, *names);
            continue;
        }
        std::size_t pos = 0;
        std::optional<std::string> name;
        if (line[0] == '@') {
            name.emplace();
            pos = 1;
        } else {
            name = unquote(line, pos);
        }
        if (current == nullptr || !name || pos >= line.size() || line[pos] != '=') {
            return std::nullopt;
        }
        ++pos;
        const auto value = unquote(line, pos);
        if (!value || pos != line.size() || (line[0] != '@' && name->empty()) ||
            !RegistryTree::validName(*name)) {
            return std::nullopt;
        }
        current->setValue(*name, *value);
    }
    return tree;
}

}  // namespace platform
