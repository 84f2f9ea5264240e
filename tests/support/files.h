#pragma once

#include <QByteArray>
#include <QString>

// The whole content of the file at path. A file that cannot be read gives a
// marker naming it, which equals no real content and no other file's marker.
QByteArray readFile(const QString &path);

// The file's content as UTF-8 text; an empty text when it cannot be read.
QString readTextFile(const QString &path);

// Writes bytes as the whole content of the file at path; false when any of it was not written.
bool writeFile(const QString &path, const QByteArray &bytes);
