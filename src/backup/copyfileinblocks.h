#pragma once

#include <QString>

#include "store/blockcopy.h"

#include <functional>

class QIODevice;

namespace Backup {

// Told before each block how many bytes of how many are copied, so that a
// window can paint and show it; returning false stops the copy. A restore
// also asks it while it checks the copy, with done and total of
// Store::kChecking, and a copy from a server every thousand rows, with a
// total of Store::kRowsCopied.
using CopyProgress = Store::Progress;
using Store::kBlockSize;

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
