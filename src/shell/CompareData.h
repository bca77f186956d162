#pragma once
// Comparing the input data of two design files in a text comparison
// program of the user's choice: each file's data become a text document
// (the data export of all forms) in a temporary folder, and the program is
// started with the two document names. The program itself compares nothing.

#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace umbrinex {

// The documents of this run of the program; deleted when it ends.
std::string CompareFolder();
void DeleteCompareDocuments();

// The name for the document of a data file in the folder: the data file's
// name with ".txt". When that file exists and is the document just written
// for the other file, or cannot be deleted, a counter in hexadecimal
// replaces the start of the name (0, 1, 2, ...) until the name is free.
std::string CompareDocumentName(const std::string& dataFile, const std::string& folder,
                                const std::string& otherDocument);

// The parameters with "%1" and "%2" replaced by the quoted document names
// (replaced text is not searched again), split into arguments as a shell
// would split them, but without any shell.
QStringList CompareArguments(const QString& parameters, const QString& document1, const QString& document2);

// Raises the error the settings deserve, or nothing.
void CheckCompareSettings(const QString& program, const QString& parameters);

// Converts both files and starts the program; false when a file could not
// be read (nothing is said, nothing is started).
bool CompareDataFiles(const QString& program, const QString& parameters, const std::string& file1,
                      const std::string& file2);

class TCompareDataWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TCompareDataWindow(QWidget* owner);
  ~TCompareDataWindow() override;

  QTabWidget* Pages;
  QLineEdit* File1;
  QLineEdit* File2;
  QLineEdit* Program;
  QLineEdit* Parameters;
  QPushButton* btCompare;

  // The checks, the conversion and the start; what "&Compare" does.
  void Compare();

 private:
  void Browse(QLineEdit* edit, int number);
  void UpdateCompareButton();
};

}  // namespace umbrinex
