#include "desktop/kit/ResultWindow.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "desktop/kit/OutputMenu.h"

namespace umbrinex {

const std::vector<TFileClass>& PictureFileClasses()
{
  static const std::vector<TFileClass> classes = {
      {".svg", 255, "SVG Pictures (*.svg)|*.svg"},
      {".pdf", 255, "PDF Documents (*.pdf)|*.pdf"},
      {".png", 255, "PNG Pictures (*.png)|*.png"},
      {".bmp", 255, "Bitmap (*.bmp)|*.bmp"},
  };
  return classes;
}

TResultWindow::TResultWindow(QWidget* parent) : QWidget(parent), FMenu(new QMenu(this))
{
  TOutputMenu menu(FMenu);
  menu.Command(QStringLiteral("&Copy"), [this] { Copy(); });
  FExtrasPlace = menu.Separator();
  menu.Command(QStringLiteral("&Export.."), [this] { Export(); });
  menu.PrinterCommands(this);
  menu.Command(QStringLiteral("P&rint"), [this] { Print(); });
  menu.Separator();
  menu.MonochromeToggle();
}

void TResultWindow::contextMenuEvent(QContextMenuEvent* event)
{
  FMenu->popup(event->globalPos());
}

}  // namespace umbrinex
