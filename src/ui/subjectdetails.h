#pragma once

#include <QList>
#include <QString>

#include <array>

class QLineEdit;
class QWidget;
class RecordSet;

// A subject's nine registration details as the test and keying windows show
// them: three rows of three read right to left, each box under its caption
// and bound to its field of subject. boxNames are the boxes' object names for
// code, first name, last name, gender, age, marital status, education, date
// and time, in that order; the boxes come back in the same order.
QList<QLineEdit *> LayOutSubjectDetails(QWidget *frame, RecordSet *subject, const std::array<const char *, 9> &boxNames);
