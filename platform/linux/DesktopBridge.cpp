#include "platform/linux/DesktopBridge.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/linux/DurableFile.h"
#include "platform/linux/XdgDirs.h"

extern char** environ;

namespace platform {
namespace {

// Marks the files this bridge writes, so that it removes its own and nothing else.
constexpr const char* kMarkerKey = "X-Sumora-FileType=";
constexpr const char* kPackageMarker = "<!-- X-Sumora-FileType: ";

struct FileType {
    std::string command;
    std::set<std::string> extensions;
};

std::string applicationsFolder() {
    return xdgDataHome() + "/applications";
}

std::string packagesFolder() {
    return xdgDataHome() + "/mime/packages";
}

std::string mimeAppsList() {
    return xdgConfigHome() + "/mimeapps.list";
}

std::string readOrEmpty(const std::string& path) {
    int error = 0;
    return readNative(path, error).value_or("");
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

std::vector<std::string> folderEntries(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.size() > suffix.size() && name.ends_with(suffix)) {
            names.push_back(name);
        }
    }
    return names;
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Names that can stand in a file name, a MIME type and a desktop entry key without escaping.
bool plainName(const std::string& name) {
    if (name.empty() || name.starts_with('.')) {
        return false;
    }
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == '+';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// The file types that have an extension and an open command.
std::map<std::string, FileType> associatedTypes(const RegistryNode& classesRoot) {
    std::map<std::string, FileType> types;
    for (const auto& key : classesRoot.subkeys) {
        const std::string* type = key.value("");
        if (key.name.size() < 2 || key.name[0] != '.' || type == nullptr || !plainName(*type) ||
            !plainName(key.name.substr(1))) {
            continue;
        }
        const RegistryNode* node = classesRoot.subkey(*type);
        for (const char* name : {"shell", "open", "command"}) {
            node = node != nullptr ? node->subkey(name) : nullptr;
        }
        const std::string* command = node != nullptr ? node->value("") : nullptr;
        if (command != nullptr && execLineFor(*command)) {
            FileType& entry = types[*type];
            entry.command = *command;
            entry.extensions.insert(toLower(key.name.substr(1)));
        }
    }
    return types;
}

std::string desktopEntry(const std::string& type, const FileType& entry) {
    std::string mimeTypes;
    for (const auto& extension : entry.extensions) {
        mimeTypes += publishedMimeType(type, extension) + ";";
    }
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           type +
           "\n"
           "Comment=Kontrolní součet CRC-32 souboru\n"
           "Exec=" +
           *execLineFor(entry.command) +
           "\n"
           "Icon=" +
           type +
           "\n"
           "Terminal=false\n"
           "Categories=Utility;\n"
           "MimeType=" +
           mimeTypes + "\n" + kMarkerKey + type + "\n";
}

std::string mimePackage(const std::string& type, const FileType& entry) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + std::string(kPackageMarker) +
        xmlEscaped(type) +
        " -->\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const auto& extension : entry.extensions) {
        xml += "  <mime-type type=\"" + publishedMimeType(type, extension) +
               "\">\n"
               "    <comment>Soubor ." +
               xmlEscaped(toUpper(extension)) + " programu " + xmlEscaped(type) +
               "</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <generic-icon name=\"text-x-generic\"/>\n"
               "    <glob pattern=\"*." +
               xmlEscaped(extension) +
               "\"/>\n"
               "  </mime-type>\n";
    }
    return xml + "</mime-info>\n";
}

// The file types whose files in the folder this bridge wrote, by their marker.
std::map<std::string, std::string> ownFiles(const std::string& folder, const std::string& suffix,
                                            const std::string& marker, const std::string& end) {
    std::map<std::string, std::string> own;  // file type -> native path
    for (const auto& name : folderEntries(folder, suffix)) {
        const std::string path = folder + "/" + name;
        for (const auto& line : lines(readOrEmpty(path))) {
            if (line.starts_with(marker) && line.ends_with(end)) {
                own[line.substr(marker.size(), line.size() - marker.size() - end.size())] = path;
            }
        }
    }
    return own;
}

// Writes the file unless it holds the bytes already; whether it changed.
bool publish(const std::string& path, const std::string& bytes) {
    if (readOrEmpty(path) == bytes) {
        return false;
    }
    const auto slash = path.rfind('/');
    makeFolders(path.substr(0, slash), 0755);
    return replaceDurably(path, bytes, 0644) == 0;
}

// The id a list entry names: the first of "a.desktop;b.desktop;".
std::string firstEntry(const std::string& list) {
    return list.substr(0, list.find(';'));
}

// Makes each wanted type's default its entry, and drops the default of each dropped type when
// it still names the entry it had from here; every other line stays as it was.
void updateDefaults(const std::map<std::string, std::string>& wanted,
                    const std::map<std::string, std::string>& dropped) {
    const std::string path = mimeAppsList();
    const std::string original = readOrEmpty(path);
    std::vector<std::string> text;
    std::set<std::string> done;
    bool inDefaults = false;
    for (const auto& line : lines(original)) {
        const auto equals = line.find('=');
        if (line.starts_with('[')) {
            inDefaults = line == "[Default Applications]";
        } else if (inDefaults && equals != std::string::npos) {
            const std::string type = line.substr(0, equals);
            if (const auto want = wanted.find(type); want != wanted.end()) {
                text.push_back(type + "=" + want->second + ";");
                done.insert(type);
                continue;
            }
            const auto drop = dropped.find(type);
            if (drop != dropped.end() && firstEntry(line.substr(equals + 1)) == drop->second) {
                continue;
            }
        }
        text.push_back(line);
    }
    std::vector<std::string> added;
    for (const auto& [type, id] : wanted) {
        if (!done.contains(type)) {
            added.push_back(type + "=" + id + ";");
        }
    }
    if (!added.empty()) {
        auto at = std::find(text.begin(), text.end(), "[Default Applications]");
        if (at == text.end()) {
            if (!text.empty() && !text.back().empty()) {
                text.emplace_back();
            }
            text.emplace_back("[Default Applications]");
            at = text.end();
        } else {
            const auto header = ++at;
            at = std::find_if(header, text.end(), [](const auto& l) { return l.starts_with('['); });
            while (at != header && (at - 1)->empty()) {
                --at;
            }
        }
        text.insert(at, added.begin(), added.end());
    }
    std::string result;
    for (const auto& line : text) {
        result += line + "\n";
    }
    if (result != original) {
        makeFolders(xdgConfigHome(), 0700);
        replaceDurably(path, result, 0600);
    }
}

// Runs a desktop tool on a folder when it is installed; its output is of no use here.
void runTool(const char* tool, const std::string& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = tool;
    std::string argument = folder;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, tool, &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

std::string quotedExecArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    // The Exec value is a string value too, whose own escape rule doubles each backslash.
    std::string value;
    for (const char c : quoted) {
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return value;
}

std::vector<std::string> dataFolders() {
    std::vector<std::string> folders{xdgDataHome()};
    for (const auto& folder : xdgDataDirs()) {
        folders.push_back(folder);
    }
    return folders;
}

std::optional<std::string> mimeTypeOfName(const std::string& fileName) {
    std::optional<std::string> best;
    int bestWeight = -1;
    std::size_t bestLength = 0;
    for (const auto& folder : dataFolders()) {
        for (const auto& line : lines(readOrEmpty(folder + "/mime/globs2"))) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            const auto first = line.find(':');
            const auto second = line.find(':', first + 1);
            if (first == std::string::npos || second == std::string::npos) {
                continue;
            }
            const int weight = std::atoi(line.substr(0, first).c_str());
            const std::string type = line.substr(first + 1, second - first - 1);
            const auto third = line.find(':', second + 1);
            const std::string pattern = line.substr(second + 1, third - second - 1);
            const bool caseSensitive =
                third != std::string::npos && line.find("cs", third) != std::string::npos;
            if (pattern == "__NOGLOBS__" || ::fnmatch(pattern.c_str(), fileName.c_str(),
                                                      caseSensitive ? 0 : FNM_CASEFOLD) != 0) {
                continue;
            }
            if (weight > bestWeight || (weight == bestWeight && pattern.size() > bestLength)) {
                best = type;
                bestWeight = weight;
                bestLength = pattern.size();
            }
        }
    }
    return best;
}

bool installed(const std::string& desktopId) {
    struct stat info {};
    for (const auto& folder : dataFolders()) {
        if (::stat((folder + "/applications/" + desktopId).c_str(), &info) == 0) {
            return true;
        }
    }
    return false;
}

// The first installed id listed for the type in the section of the file.
std::optional<std::string> listedFor(const std::string& path, const std::string& section,
                                     const std::string& type) {
    bool inSection = false;
    for (const auto& line : lines(readOrEmpty(path))) {
        if (line.starts_with('[')) {
            inSection = line == section;
        } else if (inSection && line.starts_with(type + "=")) {
            std::istringstream ids(line.substr(type.size() + 1));
            for (std::string id; std::getline(ids, id, ';');) {
                if (!id.empty() && installed(id)) {
                    return id;
                }
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> mimeAppsLists() {
    std::vector<std::string> desktops;
    if (const char* current = std::getenv("XDG_CURRENT_DESKTOP")) {
        std::istringstream names(current);
        for (std::string name; std::getline(names, name, ':');) {
            if (!name.empty()) {
                desktops.push_back(toLower(name));
            }
        }
    }
    std::vector<std::string> lists;
    const auto add = [&](const std::string& folder) {
        for (const auto& desktop : desktops) {
            lists.push_back(folder + "/" + desktop + "-mimeapps.list");
        }
        lists.push_back(folder + "/mimeapps.list");
    };
    add(xdgConfigHome());
    for (const auto& folder : xdgConfigDirs()) {
        add(folder);
    }
    for (const auto& folder : dataFolders()) {
        add(folder + "/applications");
    }
    return lists;
}

}  // namespace

std::string publishedMimeType(const std::string& fileType, const std::string& extension) {
    return "application/x-" + toLower(fileType) + "-" + toLower(extension);
}

std::optional<std::string> execLineFor(const std::string& command) {
    std::string program;
    std::string rest;
    if (command.starts_with('"')) {
        const auto close = command.find('"', 1);
        if (close == std::string::npos) {
            return std::nullopt;
        }
        program = command.substr(1, close - 1);
        rest = command.substr(close + 1);
    } else {
        const auto blank = command.find(' ');
        program = command.substr(0, blank);
        rest = blank == std::string::npos ? "" : command.substr(blank);
    }
    const std::string native = program.empty() ? "" : fileSystem().toNative(program);
    if (native.empty() || native.find_first_of("\n\r") != std::string::npos) {
        return std::nullopt;
    }
    std::string line = quotedExecArgument(native);
    std::istringstream arguments(rest);
    for (std::string argument; arguments >> argument;) {
        line += " " + (argument == "%1" ? std::string("%f") : quotedExecArgument(argument));
    }
    return line;
}

void publishAssociations(const RegistryNode& classesRoot) {
    const auto types = associatedTypes(classesRoot);
    auto entries = ownFiles(applicationsFolder(), ".desktop", kMarkerKey, "");
    auto packages = ownFiles(packagesFolder(), ".xml", kPackageMarker, " -->");
    bool entriesChanged = false;
    bool packagesChanged = false;
    std::map<std::string, std::string> wanted;
    std::map<std::string, std::string> dropped;

    for (const auto& [type, entry] : types) {
        const std::string entryPath = applicationsFolder() + "/" + type + ".desktop";
        struct stat info {};
        if (!entries.contains(type) && ::stat(entryPath.c_str(), &info) == 0) {
            continue;  // another program's entry of that name
        }
        entriesChanged |= publish(entryPath, desktopEntry(type, entry));
        packagesChanged |=
            publish(packagesFolder() + "/" + type + ".xml", mimePackage(type, entry));
        for (const auto& extension : entry.extensions) {
            wanted[publishedMimeType(type, extension)] = type + ".desktop";
        }
        entries.erase(type);
        packages.erase(type);
    }
    for (const auto& [type, path] : entries) {
        entriesChanged |= ::unlink(path.c_str()) == 0;
    }
    for (const auto& [type, path] : packages) {
        // The package names its types; all of them are the file type's and go with it.
        for (const auto& line : lines(readOrEmpty(path))) {
            const auto start = line.find("<mime-type type=\"");
            if (start != std::string::npos) {
                const auto begin = start + 17;
                dropped[line.substr(begin, line.find('"', begin) - begin)] = type + ".desktop";
            }
        }
        packagesChanged |= ::unlink(path.c_str()) == 0;
    }
    updateDefaults(wanted, dropped);
    if (packagesChanged) {
        runTool("update-mime-database", xdgDataHome() + "/mime");
    }
    if (entriesChanged) {
        runTool("update-desktop-database", applicationsFolder());
    }
}

std::optional<std::string> desktopHandlerOf(const std::string& extension) {
    const auto type = mimeTypeOfName("x." + extension);
    if (!type) {
        return std::nullopt;
    }
    const auto lists = mimeAppsLists();
    for (const char* section : {"[Default Applications]", "[Added Associations]"}) {
        for (const auto& list : lists) {
            if (const auto id = listedFor(list, section, *type)) {
                return id->substr(0, id->size() - (id->ends_with(".desktop") ? 8 : 0));
            }
        }
    }
    for (const auto& folder : dataFolders()) {
        if (const auto id =
                listedFor(folder + "/applications/mimeinfo.cache", "[MIME Cache]", *type)) {
            return id->substr(0, id->size() - (id->ends_with(".desktop") ? 8 : 0));
        }
    }
    return std::nullopt;
}

}  // namespace platform
