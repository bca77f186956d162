// Takes the manual's pictures of the desktop program: its main window and
// its eight data forms, drawn offscreen by the program's own widgets on the
// default design (or the one named), written as PNG files into the folder.
//
//   umbrinex-pictures FOLDER [DESIGN]
//
// The program runs with settings of its own in a temporary folder, so that
// the pictures show what a first start shows, whoever builds them.

#include <cstdio>
#include <exception>

#include <QFont>
#include <QTemporaryDir>

#include "WindowPictures.h"
#include "desktop/kit/Application.h"
#include "shell/BendProgram.h"
#include "shell/Preferences.h"

int main(int argc, char** argv)
{
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: umbrinex-pictures FOLDER [DESIGN]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir settings;
  qputenv("UMBRINEX_CONFIG_DIR", settings.path().toUtf8());
  umbrinex::InstallBendProgram();
  umbrinex::TKitApplication application(argc, argv);
  // The desktop's form font, which the forms are laid out for.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  QApplication::setFont(font);
  QStringList arguments = {QStringLiteral("umbrinex")};
  if (argc == 3) arguments.append(QString::fromLocal8Bit(argv[2]));
  int status = 0;
  try {
    umbrinex::WriteWindowPictures(QString::fromLocal8Bit(argv[1]), arguments);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "umbrinex-pictures: %s\n", e.what());
    status = 1;
  }
  umbrinex::ReleasePreferences();
  return status;
}
