#include "ui/storeerror.h"

#include "causes/causes.h"
#include "store/recordset.h"
#include "ui/prompts.h"

namespace {

const QString kErrorCaption = QStringLiteral("خطا");

}  // namespace

QString StoreFailureText(StoreFailure failure, const QString &detail)
{
    return Causes::storeFailureText(failure, detail);
}

void ShowStoreFailure(QWidget *window, StoreFailure failure, const QString &detail)
{
    prompts().message(window, StoreFailureText(failure, detail), kErrorCaption, Prompts::Icon::Critical);
}

void ShowStoreFailure(QWidget *window, const QString &lead, StoreFailure failure, const QString &detail)
{
    prompts().message(window, lead + QLatin1Char('\n') + StoreFailureText(failure, detail), kErrorCaption,
                      Prompts::Icon::Critical);
}

void ShowStoreFailure(QWidget *window, const RecordSet &recordSet)
{
    ShowStoreFailure(window, recordSet.failure(), recordSet.errorText());
}

bool StoreSucceeded(QWidget *window, bool succeeded, const RecordSet &recordSet)
{
    if (!succeeded)
        ShowStoreFailure(window, recordSet);
    return succeeded;
}
