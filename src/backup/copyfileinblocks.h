#pragma once

#include <QString>

#include <functional>

class QIODevice;
class QWidget;

namespace SafeFile {
class Writer;
}

namespace Backup {

// Bytes read and written at a time.
constexpr qint64 kBlockSize = 4048;

// Copies the rest of source into the open writer, kBlockSize bytes at a
// time, calling betweenBlocks now and then (about every megabyte) so a
// window can paint. Nothing is finished or committed; false with *error on
// a failed read or write.
bool copyInto(QIODevice &source, SafeFile::Writer &out, QString *error,
              const std::function<void()> &betweenBlocks = {});

// Copies source into the file at target. The target never holds half a
// copy: the bytes go to a temporary file in the target's folder, which is
// synced to disk and only then renamed over the target, readable and
// writable by its owner only. On any failure the target keeps its old
// bytes, the temporary file is removed, and *error names the cause.
bool copyInBlocks(QIODevice &source, const QString &target, QString *error,
                  const std::function<void()> &betweenBlocks = {});

// The same from the file at source. Source and target naming one file
// (through any spelling of the path or a link) leave it as it is.
bool copyFileInBlocks(const QString &source, const QString &target, QString *error,
                      const std::function<void()> &betweenBlocks = {});

// True when both paths lead to one existing file.
bool isSameFile(const QString &first, const QString &second);

}  // namespace Backup

// The backup window's copy: the window keeps painting between blocks, and a
// failure is shown to the operator in the copy's own words. True when the
// target holds the whole copy.
bool CopyFileInBlocks(QWidget *owner, const QString &source, const QString &target);
