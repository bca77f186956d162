#pragma once
// Comparing the input data of two design files in a text comparison
// program of the user's choice: each file's data become a text document
// (the data export of all forms) in a temporary folder, and the program is
// started with the two document names. The program itself compares nothing.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace umbrinex {

// The folder of this run's documents: made on first use, readable by the
// user alone and by no other run of the program, and removed with every
// document in it when the program ends (DeleteCompareDocuments).
std::string CompareFolder();
void DeleteCompareDocuments();

// The names for the documents of two data files in the folder: each data
// file's base name with ".txt" ("riser.txt"). Two designs of the same base
// name are told apart by the names of their folders ("riser (old).txt",
// "riser (new).txt"); a name already taken in the folder, by an earlier
// comparison that may still be open, gets a number ("riser (2).txt").
std::array<std::string, 2> CompareDocumentNames(const std::string& dataFile1, const std::string& dataFile2,
                                                const std::string& folder);

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
