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

// The folder of a chosen file, to remember for the next save ("/" for a file in the root). It is
// cut from the name as chosen: ".." after a linked folder leads where the system takes it.
QString FolderOfFile(const QString& filePath);

// Replaces or creates the file with exactly these bytes: either the whole new file is there
// afterwards, on disk, or the folder is as it was. The name is followed as the system follows it:
// linked folders, ".." after them, and a symbolic link at the end, which stays a link while the
// file it leads to gets the bytes; the new file is made in that file's real folder. A replaced file
// keeps its owner and permissions. A folder, a device, a pipe, a socket, a file its owner may not
// write and a folder its owner may not write are refused, for the superuser too. The reason of a
// failure in the user's words, or nothing on success.
std::optional<QString> WriteFileAtomically(const QString& filePath, const QByteArray& bytes);

// The reason a file operation failed with this error number, in the user's words.
QString FileErrorReason(int error);

} // namespace writer
