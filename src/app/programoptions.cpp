#include "app/programoptions.h"

#include <QFileInfo>

namespace {

QString spelled(const QCommandLineOption &option)
{
    return QStringLiteral("--") + option.names().constLast();
}

}  // namespace

CommandLineReader::CommandLineReader()
    : m_printResults(QStringLiteral("print-results"), QStringLiteral("Write the result table to a PDF file."),
                     QStringLiteral("FILE.pdf")),
      m_export(QStringLiteral("export"),
               QStringLiteral("Write the subjects, their answers and scores as an SPSS (.sav), Excel (.xlsx) or CSV (.csv) "
                              "file, as the extension says."),
               QStringLiteral("FILE")),
      m_printAnalysis(QStringLiteral("print-analysis"), QStringLiteral("Write the statistics of the scores to a PDF file."),
                      QStringLiteral("FILE.pdf")),
      m_copyDatabase(QStringLiteral("copy-database"),
                     QStringLiteral("Copy every row from FROM to TO (each a database file or a postgresql:// address) "
                                    "into a new file or an empty server database.")),
      m_version(QStringLiteral("version"), QStringLiteral("Print the version and the data folder in use.")),
      m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this usage.")),
      m_group(QStringLiteral("group"), QStringLiteral("With the three file options: only the subjects of group G."),
              QStringLiteral("G")),
      m_database(QStringLiteral("database"),
                 QStringLiteral("Work on the PostgreSQL database at URL for this run instead of the one quorvel.conf "
                                "names or the file; --database=URL is the same."),
                 QStringLiteral("URL"))
{
    for (const QCommandLineOption *option : {&m_database, &m_printResults, &m_export, &m_printAnalysis, &m_group,
                                             &m_copyDatabase, &m_version, &m_help})
        m_parser.addOption(*option);
}

bool CommandLineReader::asksForNoWindow(const QStringList &arguments)
{
    // A failed reading still records the options it did recognise.
    m_parser.parse(arguments);
    for (const auto &[option, mode] : modes())
        if (m_parser.isSet(*option))
            return true;
    return false;
}

QList<QPair<const QCommandLineOption *, CommandMode>> CommandLineReader::modes() const
{
    return {{&m_printResults, CommandMode::PrintResults}, {&m_export, CommandMode::Export},
            {&m_printAnalysis, CommandMode::PrintAnalysis}, {&m_copyDatabase, CommandMode::CopyDatabase},
            {&m_version, CommandMode::Version}, {&m_help, CommandMode::Help}};
}

bool CommandLineReader::refuse(const QString &reason)
{
    m_error = reason;
    return false;
}

bool CommandLineReader::read(const QStringList &arguments, ProgramOptions *options)
{
    m_error.clear();
    if (!m_parser.parse(arguments))
        return refuse(m_parser.errorText());
    const QStringList found = m_parser.optionNames();
    for (const QString &name : found)
        if (found.count(name) > 1)
            return refuse(QStringLiteral("--%1 is given more than once").arg(name));

    ProgramOptions read;
    const QCommandLineOption *modeOption = nullptr;
    for (const auto &[option, mode] : modes()) {
        if (!m_parser.isSet(*option))
            continue;
        if (modeOption)
            return refuse(QStringLiteral("%1 and %2 cannot be given together").arg(spelled(*modeOption), spelled(*option)));
        modeOption = option;
        read.mode = mode;
    }

    const bool writesAFile = read.mode == CommandMode::PrintResults || read.mode == CommandMode::Export
                             || read.mode == CommandMode::PrintAnalysis;
    if (m_parser.isSet(m_group) && !writesAFile)
        return refuse(modeOption ? QStringLiteral("--group does not go with %1").arg(spelled(*modeOption))
                                 : QStringLiteral("--group goes only with --print-results, --export or --print-analysis"));
    if (m_parser.isSet(m_database)) {
        if (modeOption && !writesAFile)
            return refuse(QStringLiteral("--database does not go with %1").arg(spelled(*modeOption)));
        read.database = m_parser.value(m_database);
        if (read.database.isEmpty() || read.database.startsWith(QLatin1String("--")))
            return refuse(QStringLiteral("--database needs an address"));
    }

    const QStringList positional = m_parser.positionalArguments();
    if (read.mode == CommandMode::CopyDatabase) {
        // How many places were given is the copy's own to judge.
        read.places = positional;
    } else if (!positional.isEmpty()) {
        return refuse(QStringLiteral("آرگومان ناشناخته: %1").arg(positional.join(QLatin1Char(' '))));
    }

    if (writesAFile) {
        const QString file = m_parser.value(*modeOption);
        // The file is named from where the command was given, before the program folder becomes current.
        if (!file.isEmpty())
            read.file = QFileInfo(file).absoluteFilePath();
        read.group = m_parser.value(m_group);
        read.groupGiven = m_parser.isSet(m_group);
    }
    *options = read;
    return true;
}

QString CommandLineReader::usage() const
{
    const QString options = m_parser.helpText();
    return QStringLiteral("Usage: quorvel [--database URL]\n"
                          "       quorvel --print-results FILE.pdf [--group G] [--database URL]\n"
                          "       quorvel --export FILE.sav|FILE.xlsx|FILE.csv [--group G] [--database URL]\n"
                          "       quorvel --print-analysis FILE.pdf [--group G] [--database URL]\n"
                          "       quorvel --copy-database FROM TO\n"
                          "       quorvel --version\n\n")
           + options.mid(options.indexOf(QLatin1String("Options:")));
}
