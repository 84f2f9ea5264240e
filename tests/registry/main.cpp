#include "support/testmain.h"

#include <memory>

QObject *makeTestRegistration();
QObject *makeTestLookup();
QObject *makeTestDesks();

int main(int argc, char **argv)
{
    const std::unique_ptr<QObject> registration(makeTestRegistration());
    const std::unique_ptr<QObject> lookup(makeTestLookup());
    const std::unique_ptr<QObject> desks(makeTestDesks());
    return runTestObjects({registration.get(), lookup.get(), desks.get()}, argc, argv);
}
