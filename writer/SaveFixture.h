#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace writer {

// The file-system side of saving a fixture file: where the save dialog starts, which folder
// is remembered, and writing the finished bytes so that a failure never leaves a broken file.

// The folder the save dialog opens in: the remembered folder while it can be listed and holds
// an ordinary file, otherwise the user's documents folder (else the home folder).
QString StartingSaveFolder(const QString& rememberedFolder);

// The folder of a chosen file, to remember for the next save ("/" for a file in the root).
QString FolderOfFile(const QString& filePath);

// Replaces or creates the file with exactly these bytes, through a temporary file in the same
// folder that is on disk before it is renamed over the target: either the whole new file is
// there afterwards, or the folder is as it was. A symbolic link stays and the file it leads to
// gets the bytes; a replaced file keeps its owner and permissions. A folder, a device, a pipe,
// a socket and a file its owner may not write are refused, for the superuser too. The reason of
// a failure in the user's words, or nothing on success.
std::optional<QString> WriteFileAtomically(const QString& filePath, const QByteArray& bytes);

} // namespace writer
