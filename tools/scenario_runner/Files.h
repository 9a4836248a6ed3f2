#pragma once

#include <QString>

// What the scenarios make and inspect on the file system beyond plain files and folders.
namespace runner {

// Sets or clears the immutable attribute, which holds for root too (root writes into folders
// whatever their permissions say).
bool setImmutable(const QString& path, bool on);

// A node that is no regular file: the null device where root may make one, else a named pipe.
bool makeDeviceNode(const QString& path);

// What stands at a name, the name itself not followed: file, folder, link, or special (a
// device, a pipe, a socket); empty when nothing does.
QString kindOf(const QString& path);

} // namespace runner
