#pragma once

#include <QFrame>

class QLineEdit;
class RecordSet;

// The clinic's name and address, kept in the settings row and printed on the reports.
class ClinicPanel : public QFrame
{
    Q_OBJECT

public:
    // settings is the main window's record set over Theme; the boxes are bound to it.
    ClinicPanel(RecordSet *settings, QWidget *parent);

    QLineEdit *nameBox() const { return Text2; }
    // Shows the panel in its place.
    void open();

private:
    void Command64_Click();

    RecordSet *m_settings;
    QLineEdit *Text2;
    QLineEdit *Text14;
};
