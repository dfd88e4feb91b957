#include "ui/FileDialogPolicy.h"

#include "platform/FileSystem.h"

namespace ui {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Program paths separate folders with "\" only.
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string namePart(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A default extension made of wildcards ("*") names no extension to add.
std::string defaultExtension(const std::string& defaultExt) {
    std::string extension = defaultExt.starts_with('.') ? defaultExt.substr(1) : defaultExt;
    return extension.find_first_of("*?") == std::string::npos ? extension : std::string();
}

}  // namespace

std::vector<NameFilter> parseFilter(const std::string& filter) {
    std::vector<NameFilter> filters;
    const auto parts = split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        NameFilter entry{trimmed(parts[i]), {}};
        for (const std::string& pattern : split(parts[i + 1], ';')) {
            const std::string clean = trimmed(pattern);
            if (!clean.empty()) {
                entry.patterns.push_back(clean == "*.*" ? "*" : clean);
            }
        }
        if (!entry.patterns.empty()) {
            filters.push_back(std::move(entry));
        }
    }
    return filters;
}

FileDialogRequest openFileRequest(const CommonDialog& dialog) {
    FileDialogRequest request;
    request.title = dialog.dialogTitle;
    request.filters = parseFilter(dialog.filter);
    request.defaultExtension = defaultExtension(dialog.defaultExt);
    request.mustExist = !dialog.hideReadOnly;
    request.fileName = namePart(dialog.fileName);
    auto& files = platform::fileSystem();
    if (!dialog.initDir.empty() && files.isDirectory(dialog.initDir)) {
        request.startFolder = dialog.initDir;
    } else if (!dialog.initDir.empty() && files.exists(dialog.initDir)) {
        request.startFolder = folderOf(dialog.initDir);
    } else {
        request.startFolder = folderOf(dialog.fileName);
    }
    return request;
}

}  // namespace ui
