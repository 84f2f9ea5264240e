#pragma once

class QSqlDatabase;
class QSqlError;

// Why the store refused an operation, so that a window can tell the operator the true cause.
enum class StoreFailure {
    None,
    Duplicate,     // a row with the same key is already stored
    Busy,          // another program holds the database file
    ReadOnly,      // the file or its folder cannot be written
    Damaged,       // the file is not whole
    DiskFull,      // the disk that holds the database has no room left
    NoRow,         // the row is no longer in the store
    UnknownField,  // the table has no field of that name
    NoCurrentRow,  // nothing is current to write or delete
    Closed,        // the connection was closed, as by a restore
    Unreachable,   // the database server cannot be reached
    Other,
};

// By the rules of the engine of the connection that failed. A failure that
// lost the process's connection to its server has it opened afresh before
// the next operation.
StoreFailure classifyFailure(const QSqlError &error, const QSqlDatabase &connection);
