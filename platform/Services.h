#pragma once

#include <QByteArray>
#include <QString>
#include <csignal>

// The small desktop services the windows use besides dialogs and windows.
namespace platform {

// The per-user settings store, addressed by application, section and key.
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = {});
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);

// The first ordinary file (not a folder, not hidden) in folder whose name
// matches pattern, or the empty text.
QString firstFileIn(const QString& folder, const QString& pattern = QStringLiteral("*"));
bool fileExists(const QString& path);

QString environmentVariable(const QString& name);
QString programFolder();
QString documentsFolder();

// An embedded resource's bytes (empty when there is none).
QByteArray resourceBytes(const QString& path);
// Writes bytes to a new file; false when the file could not be written whole, and then no file
// is left.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// While it stands, a write past the file-size limit (ulimit -f) fails with EFBIG and can be
// reported. Its signal would otherwise end the program at once and lose the unsaved work.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored();
    ~FileSizeSignalIgnored();
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction previous_ {};
};

} // namespace platform
