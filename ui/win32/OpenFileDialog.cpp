#include "ui/win32/OpenFileDialog.h"

#include <commdlg.h>

#include "platform/FileSystem.h"
#include "platform/windows/Wide.h"

namespace ui::win32 {

std::wstring filterText(const std::vector<NameFilter>& filters) {
    std::wstring text;
    for (const auto& filter : filters) {
        text += platform::widen(filter.description);
        text += L'\0';
        for (std::size_t i = 0; i < filter.patterns.size(); ++i) {
            text += (i > 0 ? L";" : L"") + platform::widen(filter.patterns[i]);
        }
        text += L'\0';
    }
    text += L'\0';
    return text;
}

std::optional<std::string> showOpenFileDialog(const FileDialogRequest& request, HWND owner) {
    auto& files = platform::fileSystem();
    // Room for a long path; the dialog offers what the buffer holds at the start.
    std::wstring buffer = platform::widen(request.fileName);
    buffer.resize(32768, L'\0');
    const std::wstring filter = filterText(request.filters);
    const std::wstring title = platform::widen(request.title);
    const std::wstring extension = platform::widen(request.defaultExtension);
    const std::wstring folder = request.startFolder.empty()
                                    ? std::wstring()
                                    : platform::widen(files.toNative(request.startFolder));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filters.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_LONGNAMES;
    if (request.mustExist) {
        dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    }
    if (!::GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return files.fromNative(platform::narrow(buffer.c_str()));
}

}  // namespace ui::win32
