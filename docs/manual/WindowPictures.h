#pragma once
// The manual's pictures of the desktop program, taken from its own widgets
// (offscreen, in the desktop's form font): the main window on a design and
// each of the eight data forms of that design. A picture is named after the
// window it shows ("Bend Stiffener Data" -> bend-stiffener-data.png), so
// that the manual and the help name the same files build after build.

#include <string>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;

namespace umbrinex {

class TMainForm;

struct TWindowPicture {
  QString Name;  // the file name without ".png"
  QImage Image;
};

// The size the main window is pictured at.
constexpr int MainWindowPictureWidth = 1000;
constexpr int MainWindowPictureHeight = 700;

// Lower case, words joined by hyphens, nothing but letters and digits.
QString PictureName(const QString& title);

// The window shown, its pending events and lazy refreshes run, grabbed
// without an alpha channel.
QImage Picture(QWidget& window);

// The main window at the picture size, shown as the program shows it at
// start-up (which reads the design of its command line).
TWindowPicture MainWindowPicture(TMainForm& form);

// Each data form of the main window's design, opened in the order of the
// data tree, pictured and closed.
std::vector<TWindowPicture> DataFormPictures(TMainForm& form);

// The main window made from the arguments as the program gets them (its
// name first, then perhaps a design), pictured with its forms and written
// into the folder as PNG files. The file names written; throws std::runtime_error with the reason
// when the folder or a file cannot be written, or a message was given on
// the way (a design that cannot be read, say).
std::vector<std::string> WriteWindowPictures(const QString& folder, const QStringList& arguments);

}  // namespace umbrinex
