#include "platform/Services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    return settings.value(section + '/' + key, defaultValue).toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.setValue(section + '/' + key, value);
    settings.sync();
}

QString firstFileIn(const QString& folder, const QString& pattern) {
    if (folder.isEmpty()) {
        return {};
    }
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        return {};
    }
    const QStringList files = dir.entryList({pattern}, QDir::Files, QDir::Name);
    return files.isEmpty() ? QString() : files.constFirst();
}

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

QString environmentVariable(const QString& name) {
    return qEnvironmentVariable(qPrintable(name));
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) {
        return documents;
    }
    return QDir::homePath();
}

QByteArray resourceBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

bool writeNewFile(const QString& path, const QByteArray& bytes) {
    const FileSizeSignalIgnored sizeLimitFailsTheWrite;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        return false;
    }
    if (file.write(bytes) == bytes.size() && file.flush()) {
        return true;
    }
    // A part of the file would pass for the whole one at the next start. The close fails
    // again on what is left unwritten, and the file is removed by its name.
    file.close();
    QFile::remove(path);
    return false;
}

FileSizeSignalIgnored::FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &previous_);
}

FileSizeSignalIgnored::~FileSizeSignalIgnored() {
    ::sigaction(SIGXFSZ, &previous_, nullptr);
}

} // namespace platform
