#pragma once

#include <QObject>

#include <initializer_list>

// Sets the application up as the program does (right to left, its fonts) and
// installs strict scripted prompts for the whole run, so that no stray real
// dialog can wait for a person. Then runs the test objects with Qt Test's
// arguments; a test function named on the command line runs in the object
// that has it, and only there.
int runTestObjects(std::initializer_list<QObject *> objects, int argc, char **argv);

#define QUORVEL_TEST_MAIN(TestClass)                       \
    int main(int argc, char **argv)                        \
    {                                                      \
        TestClass test;                                    \
        return runTestObjects({&test}, argc, argv);        \
    }
