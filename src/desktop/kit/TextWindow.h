#pragma once
// Read-only text in a fixed-pitch font, for logs and listings: copy of the
// selection, export as rich text or plain text, print and select all.

#include <string>

#include <QDialog>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace umbrinex {

// Plain text as a rich text document: a fixed-pitch font, one paragraph a line.
std::string RichTextDocument(const std::string& text);

class TTextWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TTextWindow(QWidget* parent = nullptr);

  void SetText(const std::string& text);
  std::string Text() const;
  QPlainTextEdit* Editor() const { return FEditor; }
  QMenu* ContextMenu() const { return FMenu; }

  void Copy();
  void SelectAll();
  void Export();
  // Writes the text: rich text for ".rtf", plain text otherwise.
  void ExportTo(const std::string& fileName) const;
  void Print();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPlainTextEdit* FEditor;
  QMenu* FMenu;
  QAction* FCopy;
};

}  // namespace umbrinex
