#include "app/startup.h"

#include "app/frm1.h"

#include "causes/causes.h"
#include "store/database.h"
#include "store/storeaddress.h"
#include "store/programplaces.h"
#include "ui/fonts.h"
#include "app/programshell.h"
#include "app/frm1text.h"
#include "ui/prompts.h"
#include "ui/busypointer.h"
#include "app/singleinstance.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>
#include <QUrl>

#include <cstdio>

namespace {

const QString kErrorCaption = QStringLiteral("خطا");
const QString kContext = QStringLiteral("start");

QString missingText(const QString &path)
{
    return QStringLiteral("بانک اطلاعات برنامه پیدا نشد:\n%1\n\nآیا یک بانک اطلاعات تازه و خالی ساخته شود؟").arg(path);
}

QString notOursText(const QString &path)
{
    return QStringLiteral("این فایل بانک اطلاعات این برنامه نیست و به آن دست زده نشد:\n%1\n\nبرنامه بسته می‌شود.").arg(path);
}

QString damagedText(const QString &path, const QString &detail)
{
    Causes::logDetail(kContext, detail);
    return QStringLiteral("فایل بانک اطلاعات آسیب دیده است و به آن دست زده نشد:\n%1\n\n"
                          "برای ادامهٔ کار، آخرین پشتیبان سالم را از پوشهٔ Back برنامه بازگردانید.\n"
                          "برنامه بسته می‌شود.")
        .arg(path);
}


// cause is Persian, or empty when none is known.
QString failedText(const QString &path, const QString &cause)
{
    return Causes::joinLines({QStringLiteral("بانک اطلاعات باز نشد:\n%1").arg(path), cause})
           + QStringLiteral("\n\nبرنامه بسته می‌شود.");
}

QString serverNotOursText(const QString &address)
{
    return QStringLiteral("پایگاه داده‌ای که در این نشانی است جدول‌های دیگری دارد و از آنِ این برنامه نیست؛ "
                          "به آن دست زده نشد:\n%1\n\nبرنامه بسته می‌شود.")
        .arg(address);
}

// The shared database on a server: made ready on first use, refused by name
// when it holds someone else's tables.
bool OpenServerDatabase(QWidget *parent, const QString &url)
{
    Store::ServerAddress address;
    QString error;
    if (!Store::parseServerUrl(url, &address, &error)) {
        prompts().message(parent, failedText(Store::withoutPassword(url), error), kErrorCaption, Prompts::Icon::Critical);
        return false;
    }
    const Store::OpenResult result = Store::openServerDatabase(address);
    switch (result.status) {
    case Store::OpenStatus::Opened:
        return true;
    case Store::OpenStatus::NotOurs:
        prompts().message(parent, serverNotOursText(address.shown()), kErrorCaption, Prompts::Icon::Critical);
        return false;
    case Store::OpenStatus::Damaged:
        prompts().message(parent, damagedText(address.shown(), result.detail), kErrorCaption, Prompts::Icon::Critical);
        return false;
    case Store::OpenStatus::Missing:
    case Store::OpenStatus::Failed:
        break;
    }
    prompts().message(parent, failedText(address.shown(), OpenFailureCause(result.detail)), kErrorCaption,
                      Prompts::Icon::Critical);
    return false;
}

}  // namespace

QString OpenFailureCause(const QString &detail)
{
    if (detail.isEmpty() || Causes::isOwnText(detail))
        return detail;
    Causes::logDetail(kContext, detail);
    switch (const StoreFailure failure = Causes::failureOfText(detail)) {
    case StoreFailure::Busy:
    case StoreFailure::ReadOnly:
    case StoreFailure::Damaged:
        return Causes::storeCause(failure);
    case StoreFailure::DiskFull:
        return QStringLiteral("دیسکی که بانک اطلاعات روی آن است پر شده است؛ جا باز کنید و برنامه را دوباره باز کنید.");
    case StoreFailure::Unreachable:
        return QStringLiteral("به سرور بانک اطلاعات وصل نشد؛ روشن بودن سرور، نشانی آن و ارتباط شبکه را بررسی کنید.");
    default:
        return {};
    }
}

bool OpenProgramDatabase(QWidget *parent, Store::PageCheck pageCheck, const QString &database)
{
    QString url;
    QString error;
    if (!Store::configuredServerUrl(database, QDir::currentPath(), &url, &error)) {
        Causes::logDetail(kContext, error);
        prompts().message(parent,
                          failedText(QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("quorvel.conf"))),
                                     QStringLiteral("فایل تنظیمات خوانده نشد.")),
                          kErrorCaption, Prompts::Icon::Critical);
        return false;
    }
    if (!url.isEmpty())
        return OpenServerDatabase(parent, url);
    const QString relative = QString::fromLatin1(Store::kDatabasePath);
    const QString shown = QDir::toNativeSeparators(QFileInfo(relative).absoluteFilePath());
    Store::OpenResult result = Store::openDatabase(relative, Store::Access::ReadWrite, pageCheck);
    if (result.status == Store::OpenStatus::Missing) {
        // A data folder made by this very start can hold no database to protect.
        if (!ProgramPlaces::dataFolderIsNew() && !prompts().question(parent, missingText(shown), Frm1Text::WindowCaption))
            return false;
        QString error;
        if (!Store::createDatabase(relative, &error)) {
            prompts().message(parent, failedText(shown, OpenFailureCause(error)), kErrorCaption, Prompts::Icon::Critical);
            return false;
        }
        result = Store::openDatabase(relative, Store::Access::ReadWrite, pageCheck);
    }
    switch (result.status) {
    case Store::OpenStatus::Opened:
        return true;
    case Store::OpenStatus::NotOurs:
        prompts().message(parent, notOursText(shown), kErrorCaption, Prompts::Icon::Critical);
        return false;
    case Store::OpenStatus::Damaged:
        prompts().message(parent, damagedText(shown, result.detail), kErrorCaption, Prompts::Icon::Critical);
        return false;
    case Store::OpenStatus::Missing:
    case Store::OpenStatus::Failed:
        break;
    }
    prompts().message(parent, failedText(shown, OpenFailureCause(result.detail)), kErrorCaption, Prompts::Icon::Critical);
    return false;
}

bool CheckProgramDatabasePages(QWidget *parent)
{
    const Store::OpenResult result = Store::finishPageCheck();
    if (result.status == Store::OpenStatus::Opened)
        return true;
    const QString shown = QDir::toNativeSeparators(QFileInfo(QString::fromLatin1(Store::kDatabasePath)).absoluteFilePath());
    prompts().message(parent,
                      result.status == Store::OpenStatus::Damaged ? damagedText(shown, result.detail)
                                                                  : failedText(shown, OpenFailureCause(result.detail)),
                      kErrorCaption, Prompts::Icon::Critical);
    return false;
}

void PrepareApplication()
{
    // The windows find their database and skins relative to the program folder.
    // Its own folder when that can be written; otherwise the user's data folder.
    QString error;
    if (!ProgramPlaces::enterDataFolder(&error)) {
        fprintf(stderr, "quorvel: %s\n", qPrintable(error));
        QDir::setCurrent(QCoreApplication::applicationDirPath());
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    installFontSubstitutions();
    QApplication::setFont(arialFont(10));
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Persian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

bool RefuseSecondCopy(SingleInstance &instance)
{
    if (instance.acquire())
        return false;
    prompts().message(nullptr, Frm1Text::AlreadyRunning, Frm1Text::AlreadyRunningCaption, Prompts::Icon::Information);
    return true;
}

int RunQuorvel(const QString &database)
{
    PrepareApplication();
    InstallBusyPointer();
    SingleInstance instance;
    if (RefuseSecondCopy(instance))
        return 0;
    // The pages of a large file take a while to check: the main window is
    // painted first, and the check runs before the window takes any input,
    // so a damaged file is still named before anything is written to it.
    if (!OpenProgramDatabase(nullptr, Store::PageCheck::Later, database))
        return 1;
    int code = 0;
    {
        ProgramShell shell;
        QWidget *main = shell.startMainWindow();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        // For timing the way to the first paint from outside: stop here.
        if (qEnvironmentVariableIsSet("QUORVEL_EXIT_AFTER_FIRST_PAINT")) {
            printf("%d %d\n", main->width(), main->height());
        } else {
            if (!CheckProgramDatabasePages(main)) {
                Store::closeDatabase();
                return 1;
            }
            code = QApplication::exec();
        }
    }
    Store::closeDatabase();
    return code;
}
