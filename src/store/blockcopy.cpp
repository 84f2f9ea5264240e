#include "store/blockcopy.h"

#include "store/safefile.h"

#include <chrono>
#include <future>

namespace Store {

bool copyInto(QIODevice &source, SafeFile::Writer &out, QString *error, const Progress &progress, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    const qint64 length = source.size() - source.pos();
    qint64 position = 0;
    QByteArray block(kBlockSize, Qt::Uninitialized);
    while (position < length) {
        if (progress && !progress(position, length)) {
            if (cancelled)
                *cancelled = true;
            *error = QStringLiteral("cancelled");
            return false;
        }
        const qint64 size = qMin(kBlockSize, length - position);
        if (source.read(block.data(), size) != size) {
            *error = source.errorString().isEmpty() ? QStringLiteral("the source ended early") : source.errorString();
            return false;
        }
        if (out.write(block.constData(), size) != size) {
            *error = out.errorText();
            return false;
        }
        position += size;
    }
    return true;
}

void runAside(const std::function<void()> &work, const std::function<void()> &meanwhile)
{
    if (!meanwhile) {
        work();
        return;
    }
    std::future<void> done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready)
        meanwhile();
    done.get();
}

void runTelling(const std::function<void()> &work, const Progress &progress, qint64 done, qint64 total,
                std::atomic<bool> *stop)
{
    if (!progress) {
        work();
        return;
    }
    runAside(work, [&] {
        if (!progress(done, total) && stop)
            *stop = true;
    });
}

}  // namespace Store
