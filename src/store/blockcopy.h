#pragma once

#include "store/engine.h"

#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

namespace SafeFile {
class Writer;
}

// Long copies and waits, done so that a window keeps painting.
namespace Store {

// Bytes read and written at a time: large enough for the disk to run at full
// speed, small enough for a window to paint between two of them.
constexpr qint64 kBlockSize = 1024 * 1024;

// Copies the rest of source into the open writer, kBlockSize bytes at a
// time, telling progress before each block. Nothing is finished or
// committed; false with *error on a failed read or write, or with
// *cancelled set when progress stopped it.
bool copyInto(QIODevice &source, SafeFile::Writer &out, QString *error, const Progress &progress = {},
              bool *cancelled = nullptr);

// Runs work on a thread of its own and calls meanwhile every few hundredths
// of a second until it is done, so that a window can paint while a disk
// syncs or another program's lock is waited for. Without meanwhile the work
// runs here. work must not touch the process's connection or any window.
void runAside(const std::function<void()> &work, const std::function<void()> &meanwhile);

// The same, telling progress (done, total) meanwhile; a stop it asks for sets
// *stop, when given, for work to look at.
void runTelling(const std::function<void()> &work, const Progress &progress, qint64 done, qint64 total,
                std::atomic<bool> *stop = nullptr);

}  // namespace Store
