#pragma once

#include <QString>

// Where the program keeps what it writes and finds what it ships.
//
// A program whose own folder can be written (installed into ~/Quorvel)
// keeps everything there, as it always has. An installed package's folder
// (/usr/bin) cannot be written: each user's data then lives in
// $XDG_DATA_HOME/Quorvel (by default ~/.local/share/Quorvel), private to
// them, and the files the package ships (themes, question sheet) are read
// from ../share/quorvel beside the program.
namespace ProgramPlaces {

// Makes the data folder current, creating it (700, with Back/) for a user
// who has none yet. False with the reason when it cannot be made.
bool enterDataFolder(QString *error);

// The data folder entered, and whether it is a user's data folder that has
// never held a database (so a fresh one replaces nothing of theirs).
QString dataFolder();
bool dataFolderIsNew();

// A file the program ships, by name: in the current folder when it is there,
// otherwise in ../share/quorvel beside the program when it is there,
// otherwise the name itself (a missing file is reported by its reader).
QString shippedFile(const QString &name);

}  // namespace ProgramPlaces
