#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace WindowScenes {

// Called with each window state while it is on screen: its name (the screenshot
// file's name without theme and extension) and its window.
using Shown = std::function<void(const QString &name, QWidget *window)>;

// Makes a fresh program folder with sample subjects in the theme, shows every
// window state the program has, one after another, and hands each to shown.
// The result table and card are also written as PDF files into pdfFolder when
// one is given. False when the program folder cannot be made.
bool showAll(int theme, const Shown &shown, const QString &pdfFolder = {});

}  // namespace WindowScenes
