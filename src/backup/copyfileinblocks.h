#pragma once

#include <QString>

#include <functional>

class QIODevice;
class QWidget;

namespace Backup {

// Bytes read and written at a time.
constexpr qint64 kBlockSize = 4048;

// Copies source into the file at target, kBlockSize bytes at a time, calling
// betweenBlocks before each block. The target never holds half a copy: the
// bytes go to a temporary file in the target's folder, which is flushed to
// disk and only then renamed over the target, readable and writable by its
// owner only. On any failure the target keeps its old bytes, the temporary
// file is removed, and *error says why.
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
