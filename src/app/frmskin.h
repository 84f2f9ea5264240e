#pragma once

#include "ui/windowtheme.h"

#include <memory>

#include <QWidget>

class QLineEdit;
class PictureBox;
class RecordSet;

// The theme confirmation: shown, already in the new theme, while the main
// window is away; its confirm button brings a fresh main window back.
class Frmskin : public QWidget
{
    Q_OBJECT

public:
    explicit Frmskin(QWidget *parent = nullptr);

    const Skin &skin() const { return m_theme->skin(); }

signals:
    // Confirm was clicked: the main window starts again.
    void confirmed();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    // Closed by its close box, it leads back to the main window as confirm does.
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void k2_Click();

    std::unique_ptr<WindowTheme> m_theme;
    RecordSet *Adodc1;
    QLineEdit *Text1;
    PictureBox *k1;
    PictureBox *k2;
    bool m_confirmed = false;
};
