#include "ui/qt/OpenFileDialog.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/FileSystem.h"
#include "ui/qt/QtText.h"

namespace ui::qt {
namespace {

QString native(const std::string& programPath) {
    return QFile::decodeName(
        QByteArray::fromStdString(platform::fileSystem().toNative(programPath)));
}

// The folder the dialog opens in: the starting folder, the folder of a starting file, or
// else the folder of the last chosen name.
QString startFolder(const CommonDialog& dialog) {
    auto& files = platform::fileSystem();
    if (!dialog.initDir.empty()) {
        if (files.isDirectory(dialog.initDir)) {
            return native(dialog.initDir);
        }
        if (files.exists(dialog.initDir)) {
            return QFileInfo(native(dialog.initDir)).absolutePath();
        }
    }
    if (!dialog.fileName.empty()) {
        return QFileInfo(native(dialog.fileName)).absolutePath();
    }
    return {};
}

// Program paths separate folders with "\" only.
std::string namePart(const std::string& programPath) {
    const auto slash = programPath.rfind('\\');
    return slash == std::string::npos ? programPath : programPath.substr(slash + 1);
}

// A default extension made of wildcards ("*") names no extension to add.
QString defaultSuffix(const std::string& defaultExt) {
    QString suffix = toQString(defaultExt);
    if (suffix.startsWith(u'.')) {
        suffix.remove(0, 1);
    }
    return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

}  // namespace

QStringList nameFilters(const std::string& filter) {
    QStringList filters;
    const QStringList parts = toQString(filter).split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns.append(trimmed == u"*.*" ? QStringLiteral("*") : trimmed);
        }
        if (!patterns.isEmpty()) {
            filters.append(parts.at(i).trimmed() + QStringLiteral(" (") + patterns.join(u' ') +
                           u')');
        }
    }
    return filters;
}

bool showOpenFileDialog(CommonDialog& dialog, QWidget* parent) {
    QFileDialog box(parent, toQString(dialog.dialogTitle));
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setOption(QFileDialog::HideNameFilterDetails);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(dialog.hideReadOnly ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Patterns match regardless of letter case, as on Windows: "*.CRC" finds x.crc.
    box.setFilter(box.filter() & ~QDir::CaseSensitive);
    const QStringList filters = nameFilters(dialog.filter);
    if (!filters.isEmpty()) {
        box.setNameFilters(filters);
    }
    box.setDefaultSuffix(defaultSuffix(dialog.defaultExt));
    const QString folder = startFolder(dialog);
    if (!folder.isEmpty()) {
        box.setDirectory(folder);
    }
    const std::string name = namePart(dialog.fileName);
    if (!name.empty()) {
        box.selectFile(toQString(name));
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) {
        return false;
    }
    dialog.fileName = platform::fileSystem().fromNative(
        QFile::encodeName(box.selectedFiles().first()).toStdString());
    return true;
}

}  // namespace ui::qt
