#pragma once
// The view window: a drawing of the stiffener (general arrangement or
// deflected shapes) through a viewport into an off-screen bitmap.

#include <string>

#include <QImage>

#include "desktop/kit/ResultWindow.h"
#include "graphics/ViewPort.h"

namespace umbrinex {

class TBend;

class TViewWindow : public TResultWindow {
  Q_OBJECT

 public:
  // mode: amGeneralArrangement or amDeflectedShape.
  TViewWindow(TBend& bend, int mode, QWidget* parent = nullptr);

  int Mode() const { return FMode; }
  const QImage& Bitmap() const { return FBitmap; }
  const TViewPort& ViewPort() const { return FViewPort; }
  // The drawing's name as the drawing files know it.
  std::string DrawingName() const;

  // Draws into a bitmap of the window's size; raises what the drawing raises.
  void Refresh() override;
  void Copy() override;
  void Export() override;
  void Print() override;

  // The drawing into any picture, with the colours of normal output or of
  // the monochrome setting.
  void Draw(QPainter& painter, const QSize& size, int colourMode, int penFactor);

  QSize sizeHint() const override { return {600, 420}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void RenderBitmap();
  TBend& FBend;
  int FMode;
  TViewPort FViewPort;
  QImage FBitmap;
};

}  // namespace umbrinex
