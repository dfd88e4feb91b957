#include "ui/qt/OpenFileDialog.h"

#include <QFile>
#include <QFileDialog>

#include "platform/FileSystem.h"
#include "ui/qt/QtText.h"

namespace ui::qt {
namespace {

QString native(const std::string& programPath) {
    return QFile::decodeName(
        QByteArray::fromStdString(platform::fileSystem().toNative(programPath)));
}

}  // namespace

QStringList nameFilters(const std::vector<NameFilter>& filters) {
    QStringList shown;
    for (const NameFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            patterns.append(toQString(pattern));
        }
        shown.append(toQString(filter.description) + QStringLiteral(" (") + patterns.join(u' ') +
                     u')');
    }
    return shown;
}

std::optional<std::string> showOpenFileDialog(const FileDialogRequest& request, QWidget* parent) {
    QFileDialog box(parent, toQString(request.title));
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setOption(QFileDialog::HideNameFilterDetails);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Patterns match regardless of letter case, as on Windows: "*.CRC" finds x.crc.
    box.setFilter(box.filter() & ~QDir::CaseSensitive);
    const QStringList filters = nameFilters(request.filters);
    if (!filters.isEmpty()) {
        box.setNameFilters(filters);
    }
    box.setDefaultSuffix(toQString(request.defaultExtension));
    if (!request.startFolder.empty()) {
        box.setDirectory(native(request.startFolder));
    }
    if (!request.fileName.empty()) {
        box.selectFile(toQString(request.fileName));
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return platform::fileSystem().fromNative(
        QFile::encodeName(box.selectedFiles().first()).toStdString());
}

}  // namespace ui::qt
