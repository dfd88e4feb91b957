#pragma once

#include <string>
#include <vector>

#include "ui/CommonDialog.h"

namespace ui {

// One entry of a dialog's filter: "Soubor CRC (*.CRC)" with its patterns. A pattern "*" matches
// every name, also one without a dot; patterns match regardless of letter case, as on Windows.
struct NameFilter {
    std::string description;
    std::vector<std::string> patterns;
    bool operator==(const NameFilter&) const = default;
};

// What a backend shows: everything decided already.
struct FileDialogRequest {
    std::string title;
    std::vector<NameFilter> filters;
    std::string defaultExtension;  // without the dot; empty: none is added
    std::string startFolder;       // program path; empty: the toolkit's choice
    std::string fileName;          // the name part to offer, without a folder
    bool mustExist = true;         // false accepts a typed name that does not exist
};

// "Description|pattern;pattern|..." into entries; "*.*" means every file. Entries without a
// pattern are dropped.
std::vector<NameFilter> parseFilter(const std::string& filter);

// The dialog's state turned into a request: the starting folder is the starting folder itself,
// the folder of a starting file, or else the folder of the last chosen name.
FileDialogRequest openFileRequest(const CommonDialog& dialog);

}  // namespace ui
