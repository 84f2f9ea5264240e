#include "backup/copyfileinblocks.h"
#include "support/files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray randomBytes(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator{quint32(size)};
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// A source whose read fails once the copy reaches a chosen block, as a disk
// error in the middle of the file would.
class FailingSource : public QBuffer
{
public:
    FailingSource(const QByteArray &bytes, int failingBlock) : m_bytes(bytes), m_failAt(failingBlock * Backup::kBlockSize)
    {
        setBuffer(&m_bytes);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (pos() >= m_failAt) {
            setErrorString(QStringLiteral("read error at %1").arg(pos()));
            return -1;
        }
        return QBuffer::readData(data, size);
    }

private:
    QByteArray m_bytes;
    qint64 m_failAt;
};

}  // namespace

class TestCopy : public QObject
{
    Q_OBJECT

private slots:
    void copiesEveryByte_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("oldSize");
        QTest::newRow("empty") << qint64(0) << qint64(-1);
        QTest::newRow("whole blocks") << 3 * Backup::kBlockSize << qint64(-1);
        QTest::newRow("a part block at the end") << 3 * Backup::kBlockSize + 17 << qint64(-1);
        QTest::newRow("over a longer file") << qint64(5000) << qint64(90000);
        QTest::newRow("empty over a file") << qint64(0) << qint64(100);
    }
    void copiesEveryByte()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, oldSize);
        QTemporaryDir dir;
        const QByteArray bytes = randomBytes(size);
        const QString source = dir.filePath(QStringLiteral("source.mdb"));
        const QString target = dir.filePath(QStringLiteral("target.mdbB"));
        QVERIFY(writeFile(source, bytes));
        if (oldSize >= 0)
            QVERIFY(writeFile(target, randomBytes(oldSize + 1).left(oldSize)));
        int pauses = 0;
        QString error;
        QVERIFY2(Backup::copyFileInBlocks(source, target, &error, [&pauses](qint64, qint64) {
            ++pauses;
            return true;
        }), qPrintable(error));
        QCOMPARE(readFile(target), bytes);
        // The window gets its turn before every block.
        QCOMPARE(pauses, int((size + Backup::kBlockSize - 1) / Backup::kBlockSize));
        QCOMPARE(QFileInfo(target).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }

    // A failure at any point leaves the target as it was and nothing else behind.
    void failedCopyLeavesTheTargetAlone_data()
    {
        QTest::addColumn<int>("failingBlock");
        QTest::newRow("first block") << 0;
        QTest::newRow("middle") << 3;
        QTest::newRow("last block") << 5;
    }
    void failedCopyLeavesTheTargetAlone()
    {
        QFETCH(int, failingBlock);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("old.mdbB"));
        const QByteArray old = randomBytes(1000);
        QVERIFY(writeFile(target, old));
        FailingSource source(randomBytes(6 * Backup::kBlockSize - 3), failingBlock);
        QString error;
        QVERIFY(!Backup::copyInBlocks(source, target, &error));
        QVERIFY(error.contains(QStringLiteral("read error")));
        QCOMPARE(readFile(target), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.mdbB")});
    }

    void unreachableFilesFail_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("missing source") << QStringLiteral("no-such.mdb") << QStringLiteral("out.mdbB");
        QTest::newRow("source is a folder") << QStringLiteral("folder") << QStringLiteral("out.mdbB");
        QTest::newRow("missing target folder") << QStringLiteral("db.mdb") << QStringLiteral("no-such-folder/out.mdbB");
        QTest::newRow("target folder is a file") << QStringLiteral("db.mdb") << QStringLiteral("db.mdb/out.mdbB");
        QTest::newRow("target on a read-only file system") << QStringLiteral("db.mdb") << QStringLiteral("/proc/quorvel.mdbB");
    }
    void unreachableFilesFail()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(QStringLiteral("db.mdb")), randomBytes(9000)));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString targetPath = QDir(dir.path()).absoluteFilePath(target);
        QString error;
        QVERIFY(!Backup::copyFileInBlocks(QDir(dir.path()).absoluteFilePath(source), targetPath, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFileInfo(targetPath).isFile());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("db.mdb")});
    }

    // A read-only target folder refuses the copy too (not for root, whom permissions do not stop).
    void readOnlyFolderFails()
    {
        if (geteuid() == 0)
            QSKIP("permissions do not stop root");
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("db.mdb"));
        QVERIFY(writeFile(source, randomBytes(9000)));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("locked")));
        const QString target = dir.filePath(QStringLiteral("locked/out.mdbB"));
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        QVERIFY(!Backup::copyFileInBlocks(source, target, &error));
        QVERIFY(!QFile::exists(target));
        QFile::setPermissions(dir.filePath(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // One file under two names is left as it is.
    void sameFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("otherName");
        QTest::newRow("same path") << QStringLiteral("db.mdb");
        QTest::newRow("another spelling") << QStringLiteral("sub/../db.mdb");
        QTest::newRow("symbolic link") << QStringLiteral("link.mdbB");
        QTest::newRow("hard link") << QStringLiteral("hard.mdbB");
    }
    void sameFileIsLeftAlone()
    {
        QFETCH(QString, otherName);
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("db.mdb"));
        const QByteArray bytes = randomBytes(20000);
        QVERIFY(writeFile(database, bytes));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::link(database, dir.filePath(QStringLiteral("link.mdbB"))));
        QCOMPARE(::link(QFile::encodeName(database).constData(), QFile::encodeName(dir.filePath(QStringLiteral("hard.mdbB"))).constData()), 0);
        const QDateTime modified = QFileInfo(database).lastModified();
        QString error;
        QVERIFY(Backup::copyFileInBlocks(dir.filePath(otherName), database, &error));
        QVERIFY(Backup::copyFileInBlocks(database, dir.filePath(otherName), &error));
        QCOMPARE(readFile(database), bytes);
        QCOMPARE(QFileInfo(database).lastModified(), modified);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("link.mdbB"))).isSymLink());
    }
};

QObject *makeTestCopy()
{
    return new TestCopy;
}

#include "tst_copy.moc"
