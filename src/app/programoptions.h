#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What the command line asks of the program: its windows, one file written
// without a window (--print-results, --export, --print-analysis,
// --copy-database), the version, or the usage.
enum class CommandMode { Windows, PrintResults, Export, PrintAnalysis, CopyDatabase, Version, Help };

// Everything the command line said, read once.
struct ProgramOptions
{
    CommandMode mode = CommandMode::Windows;
    QString database;  // --database URL; empty when not given
    QString file;      // the FILE of a file-writing mode, absolute; empty when none was named
    QString group;     // --group G; empty for every group
    bool groupGiven = false;
    QStringList places;  // --copy-database FROM TO
};

// The program's one reading of its command line: every option it knows, in
// both spellings "--option VALUE" and "--option=VALUE".
class CommandLineReader
{
public:
    CommandLineReader();

    // Whether the arguments ask for anything but the windows. Looked at
    // before the application exists, when Qt's own options may still be among
    // them, so nothing else is concluded from it.
    bool asksForNoWindow(const QStringList &arguments);

    // Reads the arguments once Qt has taken out its own. False when they
    // cannot be read, with the reason in error(); then the usage is due.
    bool read(const QStringList &arguments, ProgramOptions *options);
    QString error() const { return m_error; }

    // The forms the program is called in and every option, for the error
    // output after a refusal and for --help.
    QString usage() const;

private:
    // The options that choose a mode other than the windows, with their mode.
    QList<QPair<const QCommandLineOption *, CommandMode>> modes() const;
    bool refuse(const QString &reason);

    QCommandLineParser m_parser;
    const QCommandLineOption m_printResults;
    const QCommandLineOption m_export;
    const QCommandLineOption m_printAnalysis;
    const QCommandLineOption m_copyDatabase;
    const QCommandLineOption m_version;
    const QCommandLineOption m_help;
    const QCommandLineOption m_group;
    const QCommandLineOption m_database;
    QString m_error;
};
