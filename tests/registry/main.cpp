#include "support/testmain.h"

#include <memory>

QObject *makeTestRegistration();
QObject *makeTestLookup();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> registration(makeTestRegistration());
    const std::unique_ptr<QObject> lookup(makeTestLookup());
    return runTestObjects({registration.get(), lookup.get()}, argc, argv);
}
