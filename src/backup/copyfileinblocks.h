#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace SafeFile {
class Writer;
}

namespace Backup {

// Bytes read and written at a time: large enough for the disk to run at full
// speed, small enough for a window to paint between two of them.
constexpr qint64 kBlockSize = 1024 * 1024;

// Told before each block how many bytes of
// how many are copied, so that a window can paint and show it; returning
// false stops the copy. A restore also asks it now and then while it checks
// the copy, with done and total of -1.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

// Copies the rest of source into the open writer, kBlockSize bytes at a
// time. Nothing is finished or committed; false with *error on a failed read
// or write, or with *cancelled set when progress stopped it.
bool copyInto(QIODevice &source, SafeFile::Writer &out, QString *error, const CopyProgress &progress = {},
              bool *cancelled = nullptr);

// Copies source into the file at target. The target never holds half a
// copy: the bytes go to a temporary file in the target's folder, which is
// synced to disk and only then renamed over the target, readable and
// writable by its owner only. On any failure the target keeps its old
// bytes, the temporary file is removed, and *error names the cause.
bool copyInBlocks(QIODevice &source, const QString &target, QString *error, const CopyProgress &progress = {},
                  bool *cancelled = nullptr);

// The same from the file at source. Source and target naming one file
// (through any spelling of the path or a link) leave it as it is.
bool copyFileInBlocks(const QString &source, const QString &target, QString *error, const CopyProgress &progress = {},
                      bool *cancelled = nullptr);

// True when both paths lead to one existing file.
bool isSameFile(const QString &first, const QString &second);

}  // namespace Backup
