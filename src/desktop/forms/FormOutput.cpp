#include "desktop/forms/FormOutput.h"

#include <cmath>

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabWidget>

#include "desktop/forms/BoundControls.h"
#include "desktop/forms/KitGrid.h"

namespace umbrinex {

QString StripAccelerators(const QString& caption) {
  QString result;
  result.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == u'&') continue;
    result += caption[i];
  }
  return result;
}

QTabWidget* PageControlOf(const QWidget& control) {
  auto* stack = qobject_cast<QStackedWidget*>(control.parentWidget());
  return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

bool IsTabSheet(const QWidget& control) {
  const QTabWidget* pages = PageControlOf(control);
  return pages && pages->indexOf(const_cast<QWidget*>(&control)) >= 0;
}

bool TabVisible(const QWidget& sheet) {
  const QTabWidget* pages = PageControlOf(sheet);
  if (!pages) return false;
  const int index = pages->indexOf(const_cast<QWidget*>(&sheet));
  return index >= 0 && pages->isTabVisible(index);
}

bool ShowsOnForm(const QWidget& control) {
  // A tab sheet is hidden while another page is active; its own flag
  // still says whether it was hidden on purpose.
  const QWidget* form = control.window();
  return &control == form || control.isVisibleTo(form) ||
         (IsTabSheet(control) && !control.isHidden());
}

namespace {

const QString& TabCaption(const QWidget& sheet, QString& store) {
  const QTabWidget* pages = PageControlOf(sheet);
  store = pages->tabText(pages->indexOf(const_cast<QWidget*>(&sheet)));
  return store;
}

QString RadioGroupText(const TKitRadioGroup& group) {
  const int selected = group.ItemIndex();
  const QString choice = selected >= 0 ? group.ItemCaption(selected) : QStringLiteral("(not selected)");
  return ExpandedCaption(group.Caption(), group.DataObject()) + u' ' + choice;
}

QString RawControlText(const QWidget& control) {
  if (auto* label = dynamic_cast<const TKitLabel*>(&control))
    return ExpandedCaption(label->Caption(), label->DataObject());
  if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (IsTabSheet(control)) {
    QString caption;
    return TabCaption(control, caption);
  }
  if (auto* group = dynamic_cast<const TKitGroupBox*>(&control))
    return ExpandedCaption(group->Caption(), group->DataObject());
  if (auto* radio = dynamic_cast<const TKitRadioGroup*>(&control)) return RadioGroupText(*radio);
  if (auto* list = dynamic_cast<const TKitDropDownList*>(&control))
    return list->currentIndex() >= 0 ? list->currentText() : QString();
  if (auto* edit = qobject_cast<const QLineEdit*>(&control)) return edit->text();
  return {};
}

QStringList MemoLines(const QPlainTextEdit& memo) { return memo.toPlainText().split(u'\n'); }

}  // namespace

QString TFormOutput::ControlText(const QWidget& control) { return StripAccelerators(RawControlText(control)); }

bool TFormOutput::IncludeInOutput(const QWidget& control) const {
  if (IsTabSheet(control)) return TabVisible(control);
  if (!ShowsOnForm(control)) return false;
  if (qobject_cast<const QTabWidget*>(&control) || qobject_cast<const QLineEdit*>(&control) ||
      qobject_cast<const QGroupBox*>(&control) || dynamic_cast<const TKitPanel*>(&control))
    return true;
  if (auto* label = qobject_cast<const QLabel*>(&control))
    return label->buddy() != nullptr && IncludeInOutput(*label->buddy());
  if (auto* grid = qobject_cast<const TKitGrid*>(&control)) return grid->Core().CountedRows() >= 1;
  if (auto* list = dynamic_cast<const TKitDropDownList*>(&control)) return list->currentIndex() >= 0;
  return false;
}

void TFormOutput::PrintControl(QWidget& control, QPainter& canvas, int y, int x) {
  const QFont font = OutputForm().font();
  const QFontMetrics metrics(font);
  if (auto* memo = qobject_cast<QPlainTextEdit*>(&control)) {
    canvas.setFont(font);
    int top = y;
    for (const QString& line : MemoLines(*memo)) {
      canvas.drawText(x, top + metrics.ascent(), line);
      top += metrics.height();
    }
    return;
  }
  const bool textOnly = IsTabSheet(control) || qobject_cast<QGroupBox*>(&control) ||
                        qobject_cast<QLabel*>(&control) || dynamic_cast<TKitPanel*>(&control) ||
                        dynamic_cast<TKitDropDownList*>(&control) || qobject_cast<QLineEdit*>(&control);
  if (textOnly) {
    canvas.setFont(font);
    canvas.drawText(x, y + metrics.ascent(), ControlText(control));
    return;
  }
  if (auto* grid = qobject_cast<TKitGrid*>(&control)) return grid->PaintOn(canvas, QPoint(x, y));
  control.render(&canvas, QPoint(x, y), QRegion(), QWidget::DrawChildren);
}

void TFormOutput::MeasureLineGap() { LineGap = QFontMetrics(OutputForm().font()).height(); }

}  // namespace umbrinex
